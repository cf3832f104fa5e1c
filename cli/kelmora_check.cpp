// kelmora-check: checks a ticket file against a draw from the command line, giving the same
// results text as the window does after selecting the draw and running one check.

#include "core/CheckState.h"
#include "core/KelmoraError.h"
#include "core/LotteryDefinition.h"
#include "core/ProfileFile.h"
#include "core/SafeFileWriter.h"
#include "core/WinningCheck.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage = "usage: kelmora-check DRAW.wkx TICKETS.wkn [-o RESULTS.txt]\n";

constexpr const char* kHelp =
    "Checks the ticket numbers of TICKETS.wkn against the draw DRAW.wkx and prints the\n"
    "results text, exactly the bytes (Shift-JIS, CR LF line ends) that Kelmora's results log\n"
    "holds after selecting the draw, opening the tickets and running one check.\n"
    "\n"
    "  -o RESULTS.txt  write the results to this file instead of standard output; an\n"
    "                  existing file is replaced only once the new one is fully written\n"
    "  -h, --help      show this help\n"
    "\n"
    "Exit status: 0 on success; 1 when a file cannot be read or written (the reason goes to\n"
    "standard error); 2 for a wrong command line.\n";

struct Options {
    std::string draw;
    std::string tickets;
    std::optional<std::string> output;
};

std::optional<Options> ParseArguments(const std::vector<std::string>& args)
{
    Options options;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 >= args.size() || options.output)
                return std::nullopt;
            options.output = args[++i];
        } else if (args[i] == "--") {
            positional.insert(positional.end(), args.begin() + static_cast<long>(i) + 1, args.end());
            break;
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            return std::nullopt;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2)
        return std::nullopt;
    options.draw = positional[0];
    options.tickets = positional[1];
    return options;
}

void WriteToStdout(const std::string& bytes)
{
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0)
        kelmora::ThrowWriteError();
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (const auto& arg : args) {
        if (arg == "-h" || arg == "--help") {
            std::cout << kUsage << '\n' << kHelp;
            return 0;
        }
    }
    const auto options = ParseArguments(args);
    if (!options) {
        std::cerr << kUsage << "Try 'kelmora-check --help' for more information.\n";
        return 2;
    }

    try {
        kelmora::TCheckState state;
        kelmora::ApplyDefinition(kelmora::LoadDefinition(kelmora::TProfileFile::Load(options->draw)), state);
        state.ticketList.Open(options->tickets);
        state.CheckRequested = true;
        kelmora::RunRequestedCheck(state);
        if (options->output)
            state.resultLog.SaveToFile(*options->output);
        else
            WriteToStdout(state.resultLog.Text());
    } catch (const kelmora::TKelmoraError& error) {
        std::cerr << "kelmora-check: " << error.what() << '\n';
        return 1;
    } catch (const std::bad_alloc&) {
        std::cerr << "kelmora-check: out of memory\n";
        return 1;
    }
    return 0;
}
