#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kelmora::cli {

extern const char* const kDrawUsage;
extern const char* const kDrawHelp;
extern const char* const kDrawTryHelp;

struct TDrawOptions {
    std::vector<std::string> results;  // files, "-" for standard input
    std::optional<std::string> output; // -o
    std::optional<std::string> name;   // --name, in place of the name the text gives
    bool help = false;
    bool version = false;
};

// Nothing, with `problem` set, for a wrong command line.
std::optional<TDrawOptions> ParseDrawOptions(const std::vector<std::string>& arguments, std::string& problem);

// Reads every results text into one draw and writes it: to -o through the safe save, else to
// standard output; the classes made are listed on standard output with -o, on standard error
// without it, and alone (no draw bytes) when standard output is a terminal. Throws
// TKelmoraError for a text it refuses, naming the input, before anything is written.
void RunDrawFromResults(const TDrawOptions& options);

} // namespace kelmora::cli
