// kelmora-draw: makes a draw from announced results text, the bank's CSV download or a results
// page copied as text.

#include "cli/DrawFromResults.h"
#include "cli/Translation.h"
#include "core/base/KelmoraError.h"

#include <csignal>
#include <iostream>
#include <new>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    using kelmora::cli::Tr;
    kelmora::cli::ChooseMessageLanguage();

    std::string problem;
    const auto options = kelmora::cli::ParseDrawOptions(std::vector<std::string>(argv + 1, argv + argc), problem);
    if (!options) {
        std::cerr << "kelmora-draw: " << problem << '\n'
                  << Tr(kelmora::cli::kDrawUsage) << Tr(kelmora::cli::kDrawTryHelp);
        return 2;
    }
    if (options->help) {
        std::cout << Tr(kelmora::cli::kDrawUsage) << '\n' << Tr(kelmora::cli::kDrawHelp) << std::flush;
        return std::cout ? 0 : 1;
    }
    if (options->version) {
        std::cout << "kelmora-draw " KELMORA_VERSION "\n" << std::flush;
        return std::cout ? 0 : 1;
    }
    try {
        kelmora::cli::RunDrawFromResults(*options);
    } catch (const kelmora::TKelmoraError& error) {
        std::cerr << "kelmora-draw: " << Tr(error) << '\n';
        return 1;
    } catch (const std::bad_alloc&) {
        std::cerr << "kelmora-draw: " << Tr("out of memory") << '\n';
        return 1;
    }
    return 0;
}
