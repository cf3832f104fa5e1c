#include "cli/CheckOptions.h"

namespace kelmora::cli {

const char* const kUsage = "usage: kelmora-check [OPTIONS] DRAW.wkx TICKETS.wkn... [-o RESULTS.txt]\n";

const char* const kHelp = "Checks the ticket numbers of TICKETS.wkn against the draw DRAW.wkx and prints the\n"
                          "results text, exactly the bytes (Shift-JIS, CR LF line ends) that Kelmora's results log\n"
                          "holds after selecting the draw, opening the tickets and running one check.\n"
                          "Several ticket files are checked as one list, in the order given; a ticket file named -\n"
                          "is standard input (the draw is always a file, even one named -).\n"
                          "\n"
                          "  -o RESULTS.txt   write to this file instead of standard output; an existing file is\n"
                          "                   replaced only once the new one is fully written, or, in a folder that\n"
                          "                   is not writable, rewritten with its old bytes kept in ~/.cache/kelmora\n"
                          "                   until done; it may not be an input\n"
                          "  --utf8           UTF-8 with LF line ends instead of Shift-JIS with CR LF\n"
                          "  --format=FORM    text (the results log, the default), csv, json or summary\n"
                          "  --summary        after the results, one line per class: label, prize, wins; and a\n"
                          "                   total line, with the amount won where every won prize is an amount\n"
                          "  --               what follows is a file name, even when it starts with -\n"
                          "  -h, --help       show this help\n"
                          "\n"
                          "csv: a header row, then one row per win: winning number, class label, prize, ticket;\n"
                          "     CR LF line ends, Shift-JIS unless --utf8. json: always UTF-8; bytes that are not\n"
                          "     Shift-JIS become U+FFFD, with one warning on standard error.\n"
                          "\n"
                          "Examples:\n"
                          "  kelmora-check draw.wkx tickets.wkn -o results.txt\n"
                          "  kelmora-check --utf8 draw.wkx tickets.wkn | less\n"
                          "  cat a.wkn b.wkn | kelmora-check --format=csv draw.wkx - > wins.csv\n"
                          "  kelmora-check --format=json draw.wkx tickets.wkn | jq '.wins | length'\n"
                          "  kelmora-check --utf8 --format=summary draw.wkx tickets.wkn\n"
                          "  kelmora-check draw.wkx -- -odd-name.wkn\n"
                          "\n"
                          "Exit status: 0 on success, whether or not a ticket won; 1 when a file cannot be read or\n"
                          "written, standard output included (the reason goes to standard error); 2 for a wrong\n"
                          "command line.\n";

namespace {

std::optional<TOutputForm> FormNamed(const std::string& name)
{
    if (name == "text")
        return TOutputForm::Log;
    if (name == "csv")
        return TOutputForm::Csv;
    if (name == "json")
        return TOutputForm::Json;
    if (name == "summary")
        return TOutputForm::Summary;
    return std::nullopt;
}

} // namespace

std::optional<TCheckOptions> ParseCheckOptions(const std::vector<std::string>& args, std::string& problem)
{
    TCheckOptions options;
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            positional.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-h" || arg == "--help") {
            options.help = true;
            return options;
        } else if (arg == "-o") {
            if (i + 1 >= args.size()) {
                problem = "-o needs a file name";
                return std::nullopt;
            }
            if (options.output) {
                problem = "-o given twice";
                return std::nullopt;
            }
            options.output = args[++i];
        } else if (arg == "--utf8") {
            options.utf8 = true;
        } else if (arg == "--summary") {
            options.summary = true;
        } else if (arg.starts_with("--format=")) {
            const auto form = FormNamed(arg.substr(9));
            if (!form) {
                problem = "unknown form '" + arg.substr(9) + "' (text, csv, json or summary)";
                return std::nullopt;
            }
            options.form = *form;
        } else {
            problem = "unknown option '" + arg + "'";
            return std::nullopt;
        }
    }
    if (positional.size() < 2) {
        problem = positional.empty() ? "a draw and a ticket file are needed" : "a ticket file is needed";
        return std::nullopt;
    }
    if (options.summary && (options.form == TOutputForm::Csv || options.form == TOutputForm::Json)) {
        problem = "--summary follows the text form only; use --format=summary for the summary alone";
        return std::nullopt;
    }
    options.draw = positional[0];
    options.tickets.assign(positional.begin() + 1, positional.end());
    return options;
}

} // namespace kelmora::cli
