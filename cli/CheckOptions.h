#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kelmora::cli {

enum class TOutputForm { Log, Csv, Json, Summary, Xlsx, Tickets };
enum class TInputEncoding { ShiftJis, Utf8 };

// What the command line asks for.
struct TCheckOptions {
    bool help = false;
    bool version = false;
    std::string draw;
    std::vector<std::string> tickets; // "-" is standard input
    std::optional<std::string> output;
    TOutputForm form = TOutputForm::Log;
    bool utf8 = false;
    bool summary = false; // after the report
    bool raw = false;     // CSV fields exactly as the data has them, a formula's = included
    bool bom = true;      // before UTF-8 CSV
    std::optional<TInputEncoding> inputEncoding;

    // How the ticket input `path` is read: standard input follows --utf8 unless told otherwise.
    TInputEncoding EncodingOf(const std::string& path) const
    {
        if (inputEncoding)
            return *inputEncoding;
        return path == "-" && utf8 ? TInputEncoding::Utf8 : TInputEncoding::ShiftJis;
    }
};

// Nothing for a command line that cannot be run; `problem` then says why, in the run's language.
std::optional<TCheckOptions> ParseCheckOptions(const std::vector<std::string>& args, std::string& problem);

// English; the run's language comes from the catalogue.
extern const char* const kUsage;
extern const char* const kHelp;
extern const char* const kTryHelp;

} // namespace kelmora::cli
