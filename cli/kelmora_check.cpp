// kelmora-check: checks ticket files against a draw from the command line, giving the same
// results text as the window does after selecting the draw and running one check, or the
// same wins as CSV, JSON or a summary.

#include "cli/BatchCheck.h"
#include "cli/CheckOptions.h"
#include "cli/Translation.h"
#include "core/base/KelmoraError.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

// A standard descriptor that is closed gets /dev/null, so that no file opened later takes its
// number (the report would land in it); returns whether standard output was closed.
bool OccupyClosedStandardDescriptors()
{
    bool stdoutClosed = false;
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1)
            continue;
        stdoutClosed = stdoutClosed || fd == STDOUT_FILENO;
        if (::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY) != fd)
            std::_Exit(1);
    }
    return stdoutClosed;
}

} // namespace

int main(int argc, char** argv)
{
    const bool stdinClosed = ::fcntl(STDIN_FILENO, F_GETFD) == -1;
    const bool stdoutClosed = OccupyClosedStandardDescriptors();
    // A reader that went away, or a size limit, is a failed write (exit 1) with its reason, not
    // a silent death by signal.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);

    using kelmora::cli::Tr;
    kelmora::cli::ChooseMessageLanguage();

    std::string problem;
    auto options = kelmora::cli::ParseCheckOptions(std::vector<std::string>(argv + 1, argv + argc), problem);
    // A workbook's bytes are no text for a terminal; a file or a pipe takes them.
    if (options && options->form == kelmora::cli::TOutputForm::Xlsx && !options->output && !options->help &&
        !options->version && ::isatty(STDOUT_FILENO)) {
        problem = Tr("--format=xlsx writes a binary file: name it with -o FILE.xlsx, or redirect standard output");
        options.reset();
    }
    if (!options) {
        std::cerr << "kelmora-check: " << problem << '\n' << Tr(kelmora::cli::kUsage) << Tr(kelmora::cli::kTryHelp);
        return 2;
    }
    if (options->help) {
        std::cout << Tr(kelmora::cli::kUsage) << '\n' << Tr(kelmora::cli::kHelp) << std::flush;
        return std::cout ? 0 : 1;
    }
    if (options->version) {
        std::cout << "kelmora-check " KELMORA_VERSION "\n" << std::flush;
        return std::cout ? 0 : 1;
    }

    try {
        if (stdoutClosed && !options->output)
            kelmora::ThrowStandardOutputError(EBADF);
        // Reading the /dev/null put in its place would pass for an empty list.
        if (stdinClosed && std::find(options->tickets.begin(), options->tickets.end(), "-") != options->tickets.end())
            throw kelmora::TKelmoraError(std::string(kelmora::messages::kStandardInputClosed));
        kelmora::cli::RunBatchCheck(*options);
    } catch (const kelmora::TKelmoraError& error) {
        std::cerr << "kelmora-check: " << Tr(error) << '\n';
        return 1;
    } catch (const std::bad_alloc&) {
        std::cerr << "kelmora-check: " << Tr("out of memory") << '\n';
        return 1;
    }
    return 0;
}
