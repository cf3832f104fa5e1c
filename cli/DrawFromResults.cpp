#include "cli/DrawFromResults.h"

#include "cli/Translation.h"
#include "core/base/KelmoraError.h"
#include "core/draw/DefinitionWriter.h"
#include "core/files/LineFile.h"
#include "core/results/ResultsText.h"
#include "core/text/Cp932ToUtf8.h"
#include "core/text/Utf8ToCp932.h"

#include <cerrno>
#include <iostream>
#include <sstream>

#include <unistd.h>

namespace kelmora::cli {

const char* const kDrawUsage = "usage: kelmora-draw RESULTS... [-o DRAW.wkx] [--name EVENT]\n";

const char* const kDrawHelp =
    "Reads announced results (the bank's CSV download, a results page copied as text, a table,\n"
    "a list or a newspaper listing; UTF-8 or Shift-JIS) and makes the draw (.wkx) that Kelmora\n"
    "and kelmora-check check tickets against: one prize class per class announced, with its kind\n"
    "of match (whole for 22組 146504番, ends for 下3ケタ and 組下1ケタ, other-group for 組違い賞;\n"
    "前後賞 from the 1等). Several texts make one draw, in the order given; - is standard input.\n"
    "Text that fits no known shape is refused, naming its line, and nothing is written.\n"
    "\n"
    "  -o DRAW.wkx      write the draw to this file (Shift-JIS, CR LF), replacing it only once\n"
    "                   the new one is fully written; the classes made are listed\n"
    "  --name EVENT     the draw's name, in place of the one the text gives\n"
    "  --               what follows is a file name, even when it starts with -\n"
    "  -h, --help       show this help\n"
    "  --version        show the version\n"
    "\n"
    "Without -o the draw's bytes go to standard output and the list of classes to standard\n"
    "error; when standard output is a terminal, only the list is shown.\n"
    "\n"
    "Examples:\n"
    "  kelmora-draw results.csv -o nenmatsu.wkx\n"
    "  xclip -o | kelmora-draw - -o nenmatsu.wkx --name '年末ジャンボ'\n"
    "  kelmora-draw page.txt\n"
    "\n"
    "Exit status: 0 when the draw was made; 1 when a text is refused or a file cannot be read\n"
    "or written (the reason goes to standard error); 2 for a wrong command line.\n";

const char* const kDrawTryHelp = "Try 'kelmora-draw --help' for more information.\n";

std::optional<TDrawOptions> ParseDrawOptions(const std::vector<std::string>& arguments, std::string& problem)
{
    TDrawOptions options;
    bool filesOnly = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (filesOnly || argument == "-" || !argument.starts_with("-")) {
            options.results.push_back(argument);
        } else if (argument == "--") {
            filesOnly = true;
        } else if (argument == "-h" || argument == "--help") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "-o" || argument == "--name") {
            if (i + 1 >= arguments.size()) {
                problem = Tr(argument == "-o" ? "-o needs a file name" : "--name needs a name");
                return std::nullopt;
            }
            (argument == "-o" ? options.output : options.name) = arguments[++i];
        } else if (argument.starts_with("-o")) {
            options.output = argument.substr(2);
        } else if (argument.starts_with("--name=")) {
            options.name = argument.substr(7);
        } else {
            problem = Tr("unknown option '%s'", {argument});
            return std::nullopt;
        }
    }
    if (options.results.empty() && !options.help && !options.version) {
        problem = Tr("no results text given");
        return std::nullopt;
    }
    return options;
}

namespace {

std::string Utf8(std::string_view cp932)
{
    std::string out;
    AppendCp932AsUtf8(cp932, out);
    return out;
}

void ListClasses(const TResultsDraw& draw, std::ostream& out)
{
    out << Tr("draw: %s", {Utf8(draw.definition.eventName)}) << '\n';
    for (std::size_t i = 0; i < draw.definition.classes.size(); ++i) {
        const TPrizeClass& prizeClass = draw.definition.classes[i];
        const std::string bonus = prizeClass.bonusText.empty() ? "" : " (" + Utf8(prizeClass.bonusText) + ")";
        out << Utf8(prizeClass.label) << '\t' << Utf8(prizeClass.prize) << '\t' << MatchKindName(prizeClass.Kind())
            << '\t' << Utf8(prizeClass.numbersText) << bonus << '\t' << Tr("line %s", {std::to_string(draw.classLines[i])})
            << '\n';
    }
}

} // namespace

void RunDrawFromResults(const TDrawOptions& options)
{
    TResultsDraw draw;
    for (const std::string& input : options.results) {
        const std::string name = input == "-" ? Tr("standard input") : AbsolutePathText(input);
        const TByteString bytes = input == "-" ? ReadWholeStream(STDIN_FILENO, {}) : ReadWholeFile(input);
        TResultsDraw part;
        try {
            part = ReadResultsText(bytes);
        } catch (const TKelmoraError& error) {
            throw TKelmoraError(name + ": " + Tr(error));
        }
        if (draw.definition.eventName.empty())
            draw.definition.eventName = part.definition.eventName;
        for (std::size_t i = 0; i < part.definition.classes.size(); ++i) {
            draw.definition.classes.push_back(std::move(part.definition.classes[i]));
            draw.classLines.push_back(part.classLines[i]);
        }
    }
    if (options.name)
        draw.definition.eventName = Utf8ToCp932(*options.name, "--name");

    if (options.output) {
        const TDefinitionText written = SaveDefinition(*options.output, draw.definition);
        ListClasses(draw, std::cout);
        if (!written.splitClasses.empty())
            std::cout << Tr("classes with more numbers than one value holds were written as several classes") << '\n';
        std::cout << std::flush;
    } else if (::isatty(STDOUT_FILENO)) {
        FormatDefinition(draw.definition);
        ListClasses(draw, std::cout);
        std::cout << Tr("(no draw written: give -o DRAW.wkx, or redirect standard output)") << '\n' << std::flush;
    } else {
        const TDefinitionText text = FormatDefinition(draw.definition);
        ListClasses(draw, std::cerr);
        std::cout.write(text.bytes.data(), static_cast<std::streamsize>(text.bytes.size()));
        std::cout.flush();
    }
    if (!std::cout)
        ThrowStandardOutputError(errno != 0 ? errno : EIO);
}

} // namespace kelmora::cli
