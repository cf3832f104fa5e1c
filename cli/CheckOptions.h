#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kelmora::cli {

enum class TOutputForm { Log, Csv, Json, Summary };

// What the command line asks for.
struct TCheckOptions {
    bool help = false;
    std::string draw;
    std::vector<std::string> tickets; // "-" is standard input
    std::optional<std::string> output;
    TOutputForm form = TOutputForm::Log;
    bool utf8 = false;
    bool summary = false; // after the report
};

// Nothing for a command line that cannot be run; `problem` then says why.
std::optional<TCheckOptions> ParseCheckOptions(const std::vector<std::string>& args, std::string& problem);

extern const char* const kUsage;
extern const char* const kHelp;

} // namespace kelmora::cli
