#include "cli/CheckOptions.h"

#include "cli/Translation.h"

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
                          "  --utf8           UTF-8 with LF line ends instead of Shift-JIS with CR LF; standard input\n"
                          "                   is read as UTF-8 too\n"
                          "  --input-encoding=utf-8|shift-jis\n"
                          "                   how every ticket input is read, files and standard input\n"
                          "  --format=FORM    text (the results log, the default), csv, tickets, json, summary or\n"
                          "                   xlsx\n"
                          "  --summary        after the results, one line per class: label, prize, wins; a total\n"
                          "                   line with the amount of the prizes that are amounts; and the classes\n"
                          "                   left out of that amount (prizes in kind), when any won\n"
                          "  --raw            csv, tickets: fields exactly as the data has them (no guard against\n"
                          "                   formulas)\n"
                          "  --no-bom         csv, tickets with --utf8: no byte order mark at the start\n"
                          "  --               what follows is a file name, even when it starts with -\n"
                          "  -h, --help       show this help\n"
                          "  --version        show the version\n"
                          "\n"
                          "csv: a header row, then one row per win: winning number, class label, prize, ticket,\n"
                          "     amount in yen (empty for a prize in kind); CR LF line ends, Shift-JIS unless --utf8\n"
                          "     (then with a byte order mark). A field that starts with = + - @, a tab or a carriage\n"
                          "     return gets a leading ' so that no spreadsheet runs it as a formula.\n"
                          "tickets: CSV as csv is, with the header クジの番号,当選した等級,金額 and one row per ticket\n"
                          "     in ticket order: the ticket, the classes it won joined by ・, its amount in yen\n"
                          "     (empty for a ticket that won nothing; the prizes as written where one is no amount).\n"
                          "json: always UTF-8; each class has its kind of match (\"rule\", null for none), each\n"
                          "     win its amount in yen (null for a prize in kind); bytes that are not Shift-JIS\n"
                          "     become U+FFFD, with one warning on standard error.\n"
                          "xlsx: an Excel workbook with the sheets 当選 (the wins), 等級 (the classes) and クジごと\n"
                          "     (the tickets); give it a file with -o, or a pipe.\n"
                          "A draw that starts with a UTF-8 byte order mark is read as UTF-8.\n"
                          "\n"
                          "Examples:\n"
                          "  kelmora-check draw.wkx tickets.wkn -o results.txt\n"
                          "  kelmora-check --utf8 draw.wkx tickets.wkn | less\n"
                          "  printf '12組345678\\n' | kelmora-check --utf8 draw.wkx -\n"
                          "  cat a.wkn b.wkn | kelmora-check --format=csv draw.wkx - > wins.csv\n"
                          "  kelmora-check --format=xlsx draw.wkx tickets.wkn -o wins.xlsx\n"
                          "  kelmora-check --format=json draw.wkx tickets.wkn | jq '.wins | length'\n"
                          "  kelmora-check --utf8 --format=summary draw.wkx tickets.wkn\n"
                          "  kelmora-check --utf8 --format=tickets draw.wkx tickets.wkn\n"
                          "  kelmora-check draw.wkx -- -odd-name.wkn\n"
                          "\n"
                          "Exit status: 0 on success, whether or not a ticket won; 1 when a file cannot be read or\n"
                          "written, standard output included (the reason goes to standard error), and for a draw\n"
                          "that defines no prize class; 2 for a wrong command line.\n";

const char* const kTryHelp = "Try 'kelmora-check --help' for more information.\n";

namespace {

std::optional<TOutputForm> FormNamed(const std::string& name)
{
    if (name == "text")
        return TOutputForm::Log;
    if (name == "csv")
        return TOutputForm::Csv;
    if (name == "tickets")
        return TOutputForm::Tickets;
    if (name == "json")
        return TOutputForm::Json;
    if (name == "summary")
        return TOutputForm::Summary;
    if (name == "xlsx")
        return TOutputForm::Xlsx;
    return std::nullopt;
}

std::optional<TInputEncoding> EncodingNamed(const std::string& name)
{
    if (name == "utf-8" || name == "utf8" || name == "UTF-8")
        return TInputEncoding::Utf8;
    if (name == "shift-jis" || name == "shift_jis" || name == "Shift_JIS" || name == "cp932")
        return TInputEncoding::ShiftJis;
    return std::nullopt;
}

// What the options mean together; empty when they agree.
std::string Disagreement(const TCheckOptions& options)
{
    const bool csv = options.form == TOutputForm::Csv || options.form == TOutputForm::Tickets;
    const bool reportOnly = csv || options.form == TOutputForm::Json || options.form == TOutputForm::Xlsx;
    if (options.summary && reportOnly)
        return Tr("--summary follows the text form only; use --format=summary for the summary alone");
    if ((options.raw || !options.bom) && !csv)
        return Tr("--raw and --no-bom apply to --format=csv and tickets only");
    return {};
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
        } else if (arg == "--version") {
            options.version = true;
            return options;
        } else if (arg == "-o") {
            if (i + 1 >= args.size()) {
                problem = Tr("-o needs a file name");
                return std::nullopt;
            }
            if (options.output) {
                problem = Tr("-o given twice");
                return std::nullopt;
            }
            options.output = args[++i];
        } else if (arg == "--utf8") {
            options.utf8 = true;
        } else if (arg == "--summary") {
            options.summary = true;
        } else if (arg == "--raw") {
            options.raw = true;
        } else if (arg == "--no-bom") {
            options.bom = false;
        } else if (arg.starts_with("--input-encoding=")) {
            options.inputEncoding = EncodingNamed(arg.substr(17));
            if (!options.inputEncoding) {
                problem = Tr("unknown encoding '%s' (utf-8 or shift-jis)", {arg.substr(17)});
                return std::nullopt;
            }
        } else if (arg.starts_with("--format=")) {
            const auto form = FormNamed(arg.substr(9));
            if (!form) {
                problem = Tr("unknown form '%s' (text, csv, tickets, json, summary or xlsx)", {arg.substr(9)});
                return std::nullopt;
            }
            options.form = *form;
        } else {
            problem = Tr("unknown option '%s'", {arg});
            return std::nullopt;
        }
    }
    if (positional.size() < 2) {
        problem = positional.empty() ? Tr("a draw and a ticket file are needed") : Tr("a ticket file is needed");
        return std::nullopt;
    }
    problem = Disagreement(options);
    if (!problem.empty())
        return std::nullopt;
    options.draw = positional[0];
    options.tickets.assign(positional.begin() + 1, positional.end());
    return options;
}

} // namespace kelmora::cli
