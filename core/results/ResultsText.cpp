#include "core/results/ResultsText.h"

#include "core/base/Regex.h"

#include "core/base/KelmoraError.h"
#include "core/draw/DefinitionWriter.h"
#include "core/draw/NumberList.h"
#include "core/results/NumberSelectionResults.h"
#include "core/results/ResultCell.h"
#include "core/text/Cp932ToUtf8.h"
#include "core/text/Utf8ToCp932.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

namespace kelmora {
namespace {

using TKind = TResultCell::Kind;

// Longest run of words read as one piece: 「組下1ケタ 7組 114925番」 is three.
constexpr std::size_t kMaxSpanWords = 6;
// A line quoted in a message is cut to this many bytes.
constexpr std::size_t kQuoteBytes = 90;
// What a draw file's value holds.
constexpr std::size_t kMaxValueBytes = 255;

bool IsValidUtf8(std::string_view text, bool& hasNonAscii)
{
    hasNonAscii = false;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            ++i;
            continue;
        }
        hasNonAscii = true;
        std::size_t length = 0;
        char32_t code = 0;
        if (byte >= 0xC2 && byte <= 0xDF) {
            length = 2;
            code = byte & 0x1F;
        } else if (byte >= 0xE0 && byte <= 0xEF) {
            length = 3;
            code = byte & 0x0F;
        } else if (byte >= 0xF0 && byte <= 0xF4) {
            length = 4;
            code = byte & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = code << 6 | (next & 0x3F);
        }
        if ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
            (length == 4 && (code < 0x10000 || code > 0x10FFFF)))
            return false;
        i += length;
    }
    return true;
}

std::string AsUtf8(std::string_view bytes)
{
    if (bytes.starts_with(kUtf8Bom))
        bytes.remove_prefix(kUtf8Bom.size());
    bool hasNonAscii = false;
    std::string text;
    if (IsValidUtf8(bytes, hasNonAscii) && hasNonAscii)
        text = bytes;
    else
        AppendCp932AsUtf8(bytes, text);
    std::replace(text.begin(), text.end(), '\0', ' ');
    return text;
}

std::string Quote(std::string_view text)
{
    text = TrimWhiteSpace(text);
    if (text.size() <= kQuoteBytes)
        return std::string(text);
    std::size_t end = kQuoteBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return std::string(text.substr(0, end)) + "…";
}

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

std::vector<std::string> SplitCsv(std::string_view line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"')
                fields.back() += line[++i];
            else if (c == '"')
                quoted = false;
            else
                fields.back() += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::vector<std::string> SplitAt(std::string_view line, char separator)
{
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line[i] == separator) {
            cells.emplace_back(line.substr(start, i - start));
            start = i + 1;
        }
    }
    return cells;
}

// The bank's download opens with a record code line.
bool IsRecordCode(std::string_view field)
{
    field = TrimWhiteSpace(field);
    return field.size() == 3 && field[0] == 'A' && field[1] >= '0' && field[1] <= '9' && field[2] >= '0' &&
        field[2] <= '9';
}

struct TWord {
    std::size_t begin;
    std::size_t end;
};

// Words of a cell by its blanks, and by the marks where announcements run pieces together:
// 「【3等】(下2けた)86番」, 「1等(7億円)22組…」. Reading spans of words joins them again.
std::vector<TWord> SplitWords(std::string_view cell)
{
    static const std::array<std::string_view, 5> kBlanks = {" ", "\t", "　", "\v", "\u00A0"};
    static const std::array<std::string_view, 5> kBreakAfter = {"】", ")", "）", "円", "："};
    static const std::array<std::string_view, 4> kBreakBefore = {"【", "(", "（", ":"};
    std::vector<TWord> words;
    std::size_t start = 0;
    auto close = [&](std::size_t end) {
        if (end > start)
            words.push_back({start, end});
    };
    for (std::size_t i = 0; i < cell.size();) {
        const std::string_view rest = cell.substr(i);
        bool matched = false;
        for (std::string_view blank : kBlanks)
            if (rest.starts_with(blank)) {
                close(i);
                i += blank.size();
                start = i;
                matched = true;
                break;
            }
        if (matched)
            continue;
        for (std::string_view mark : kBreakBefore)
            if (rest.starts_with(mark)) {
                close(i);
                start = i;
                break;
            }
        std::size_t length = 1;
        const auto byte = static_cast<unsigned char>(cell[i]);
        if (byte >= 0xF0)
            length = 4;
        else if (byte >= 0xE0)
            length = 3;
        else if (byte >= 0xC0)
            length = 2;
        length = std::min(length, cell.size() - i);
        for (std::string_view mark : kBreakAfter)
            if (rest.starts_with(mark)) {
                close(i + length);
                start = i + length;
                break;
            }
        i += length;
    }
    close(cell.size());
    return words;
}

struct TPiece {
    TResultCell cell;
    std::string original;
};

// A cell read as the longest pieces that fit a shape, left to right; words that fit none
// make one unknown piece between them.
std::vector<TPiece> ReadPieces(std::string_view cell)
{
    std::vector<TPiece> pieces;
    const std::vector<TWord> words = SplitWords(cell);
    auto span = [&](std::size_t first, std::size_t last) {
        return cell.substr(words[first].begin, words[last].end - words[first].begin);
    };
    std::optional<std::size_t> unknownFrom;
    auto flushUnknown = [&](std::size_t upTo) {
        if (unknownFrom) {
            pieces.push_back({TResultCell{}, std::string(span(*unknownFrom, upTo - 1))});
            unknownFrom.reset();
        }
    };
    for (std::size_t i = 0; i < words.size();) {
        std::size_t taken = 0;
        TResultCell best;
        const std::size_t longest = std::min(kMaxSpanWords, words.size() - i);
        for (std::size_t n = longest; n >= 1 && taken == 0; --n) {
            TResultCell cellRead = ClassifyResultCell(CompactResultText(span(i, i + n - 1)));
            if (cellRead.kind != TKind::Unknown) {
                best = std::move(cellRead);
                taken = n;
            }
        }
        if (taken == 0) {
            if (!unknownFrom)
                unknownFrom = i;
            ++i;
            continue;
        }
        flushUnknown(i);
        pieces.push_back({std::move(best), std::string(span(i, i + taken - 1))});
        i += taken;
    }
    flushUnknown(words.size());
    return pieces;
}

bool HasDigit(std::string_view text)
{
    const std::string compact = CompactResultText(text);
    return std::any_of(compact.begin(), compact.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Text with numbers that announcements carry beside the results: dates, periods, the draw's
// number, units.
bool IsNote(std::string_view text)
{
    static const std::regex kNote(R"(年|月|日|時|支払|期間|期限|抽せん|抽選|第[0-9]+回|ユニット|発売|販売|http|www)");
    const std::string compact = CompactResultText(text);
    return std::regex_search(compact, kNote);
}

struct TDraftClass {
    std::string label;
    std::string prize;
    std::size_t line = 0;
    TMatchRule rule = TMatchRule::Ends;
    std::vector<std::string> numbers;
    bool noWinner = false;
    bool everyGroup = false;
};

[[noreturn]] void Refuse(std::string_view format, std::size_t line, std::string_view text,
                         std::vector<std::string> more = {})
{
    std::vector<std::string> arguments = {std::to_string(line), Quote(text)};
    arguments.insert(arguments.end(), more.begin(), more.end());
    throw TKelmoraError(format, std::move(arguments));
}

class TResultsReader {
public:
    void ReadLine(std::string_view line, std::size_t lineNumber, bool csv)
    {
        line_ = lineNumber;
        std::vector<std::string> cells;
        const std::string_view trimmed = TrimWhiteSpace(line);
        if (trimmed.empty())
            return;
        if (line.find('\t') != std::string_view::npos)
            cells = SplitAt(line, '\t');
        else if (csv && line.find(',') != std::string_view::npos)
            cells = SplitCsv(line);
        else if (trimmed.starts_with("|") || trimmed.starts_with("｜"))
            cells = SplitAt(trimmed, '|');
        else
            cells.emplace_back(line);
        if (classes_.empty())
            NoteName(cells, csv);
        for (const auto& cell : cells)
            ReadCell(cell);
    }

    TResultsDraw Finish()
    {
        CloseGroup();
        const bool anyNumber =
            std::any_of(classes_.begin(), classes_.end(), [](const TDraftClass& c) { return !c.numbers.empty(); });
        if (classes_.empty())
            throw TKelmoraError(std::string(messages::kResultsNothing));
        if (!anyNumber) {
            if (std::all_of(classes_.begin(), classes_.end(), [](const TDraftClass& c) { return c.noWinner; }))
                throw TKelmoraError(std::string(messages::kResultsNothing));
            throw TKelmoraError(std::string(messages::kResultsPrizeSchedule));
        }
        std::vector<TDraftClass> kept;
        for (auto& draft : classes_) {
            if (draft.numbers.empty()) {
                if (draft.noWinner)
                    continue;
                Refuse(messages::kResultsClassWithoutNumbers, draft.line, draft.label);
            }
            // A second row of the same class (two 1等 in two rows) joins the first.
            if (!kept.empty() && kept.back().label == draft.label && kept.back().rule == draft.rule &&
                (draft.prize.empty() || draft.prize == kept.back().prize)) {
                kept.back().numbers.insert(kept.back().numbers.end(), draft.numbers.begin(), draft.numbers.end());
                continue;
            }
            kept.push_back(std::move(draft));
        }
        TResultsDraw result;
        result.definition.eventName = ToCp932(name_, nameLine_);
        for (const auto& draft : kept) {
            TPrizeClass prizeClass;
            prizeClass.label = ToCp932(draft.label, draft.line);
            prizeClass.prize = ToCp932(draft.prize, draft.line);
            if (prizeClass.prize.size() > kMaxValueBytes)
                Refuse(messages::kResultsTooLong, draft.line, draft.prize);
            for (const auto& number : draft.numbers) {
                if (!prizeClass.numbersText.empty())
                    prizeClass.numbersText += ',';
                prizeClass.numbersText += QuoteNumber(ToCp932(number, draft.line));
            }
            prizeClass.numbers = SplitNumberList(prizeClass.numbersText);
            prizeClass.rule = draft.rule;
            result.definition.classes.push_back(std::move(prizeClass));
            result.classLines.push_back(draft.line);
        }
        return result;
    }

private:
    static TByteString ToCp932(const std::string& text, std::size_t line)
    {
        try {
            return Utf8ToCp932(text, "-");
        } catch (const TKelmoraError&) {
            Refuse(messages::kResultsNoShiftJis, line, text);
        }
    }

    void NoteName(const std::vector<std::string>& cells, bool csv)
    {
        if (!name_.empty() || cells.empty())
            return;
        if (csv) {
            if (IsRecordCode(cells[0])) {
                afterRecordCode_ = true;
                return;
            }
            if (!afterRecordCode_)
                return;
            static const std::regex kDrawNumber(R"(^第[0-9]+回$)");
            std::string name(TrimWhiteSpace(cells[0]));
            if (cells.size() > 1 && std::regex_match(CompactResultText(name), kDrawNumber))
                name += " " + std::string(TrimWhiteSpace(cells[1]));
            SetName(name);
            return;
        }
        static const std::regex kDrawName(R"(第[0-9]+回|ジャンボ|宝くじ|くじ|年賀|はがき|郵便)");
        std::string line;
        for (const auto& cell : cells) {
            const std::string_view part = TrimWhiteSpace(cell);
            if (part.empty())
                continue;
            if (!line.empty())
                line += ' ';
            line += part;
        }
        if (line.size() <= 120 && std::regex_search(CompactResultText(line), kDrawName))
            SetName(line);
    }

    void SetName(std::string name)
    {
        // The markers that head a name in pages and listings are no part of it.
        for (bool stripped = true; stripped;) {
            stripped = false;
            for (std::string_view mark : {"#", " ", "◇", "◆", "▽", "▼", "■", "□", "●", "○", "・", "【", "　"}) {
                if (name.starts_with(mark)) {
                    name.erase(0, mark.size());
                    stripped = true;
                }
            }
        }
        name_ = std::move(name);
        nameLine_ = line_;
    }

    void ReadCell(std::string_view cell)
    {
        cell = TrimWhiteSpace(cell);
        if (cell.empty())
            return;
        // A prize in kind after 「賞品:」 on a count line.
        for (std::string_view mark : {std::string_view("賞品:"), std::string_view("賞品：")}) {
            const auto at = cell.find(mark);
            if (at != std::string_view::npos && !classes_.empty()) {
                ReadCell(cell.substr(0, at));
                if (classes_.back().prize.empty())
                    classes_.back().prize = TrimWhiteSpace(cell.substr(at + mark.size()));
                return;
            }
        }
        // A shape in a cell of its own before its numbers (「組下1ケタ」 then 「4組125839番」) is
        // read with them.
        static const std::regex kShape(R"(^(?:組下1(?:ケタ|けた|桁)(?:[0-9]組)?|\(?(?:下)?[1-9](?:ケタ|けた|桁)\)?)$)");
        const std::string joined = shape_.empty() ? std::string(cell) : shape_ + " " + std::string(cell);
        if (joined.size() < 60 && std::regex_match(CompactResultText(joined), kShape)) {
            if (shape_.empty())
                shapeLine_ = line_;
            shape_ = joined;
            return;
        }
        shape_.clear();
        cell = joined;
        const std::vector<TPiece> pieces = ReadPieces(cell);
        const bool unknown =
            std::any_of(pieces.begin(), pieces.end(), [](const TPiece& p) { return p.cell.kind == TKind::Unknown; });
        const bool holdsResult = std::any_of(pieces.begin(), pieces.end(), [](const TPiece& p) {
            return p.cell.kind != TKind::Unknown && p.cell.kind != TKind::Ignored && p.cell.kind != TKind::Prize &&
                p.cell.kind != TKind::Count && p.cell.kind != TKind::NoWinner;
        });
        if (unknown && !holdsResult && !classes_.empty() && classes_.back().prize.empty() &&
            !classes_.back().noWinner) {
            // A prize in kind, or a description of one with amounts and years in it.
            classes_.back().prize = cell;
            return;
        }
        for (const auto& piece : pieces)
            ReadPiece(piece);
    }

    void ReadPiece(const TPiece& piece)
    {
        const TResultCell& cell = piece.cell;
        switch (cell.kind) {
        case TKind::Unknown:
            if (MoreOfTheShape(piece.original))
                return;
            if (!classes_.empty() && HasDigit(piece.original) && !IsNote(piece.original))
                Refuse(messages::kResultsRowUnknown, line_, piece.original);
            return;
        case TKind::Ignored:
            if (CompactResultText(piece.original) == "各組共通" && !classes_.empty())
                classes_.back().everyGroup = true;
            return;
        case TKind::Count:
            return;
        case TKind::Label:
            CloseGroup();
            width_ = 0;
            classes_.push_back({cell.text, cell.prize, line_, TMatchRule::Ends, {}, false, false});
            return;
        case TKind::Prize:
            if (!classes_.empty() && classes_.back().prize.empty())
                classes_.back().prize = TrimWhiteSpace(piece.original);
            return;
        case TKind::NoWinner:
            if (!classes_.empty())
                classes_.back().noWinner = true;
            return;
        case TKind::Numbers:
            AddNumbers(cell.numbers, cell.rule, piece.original);
            width_ = cell.text.empty() ? 0 : static_cast<std::size_t>(cell.text[0] - '0');
            return;
        case TKind::GroupOnly:
            CloseGroup();
            group_ = cell.text;
            groupLine_ = line_;
            groupText_ = piece.original;
            return;
        case TKind::NumberOnly:
            if (!group_.empty()) {
                const std::string number = group_ + "組" + cell.text;
                group_.clear();
                AddNumbers({number}, TMatchRule::Whole, piece.original);
            } else if (!classes_.empty() && classes_.back().everyGroup) {
                AddNumbers({cell.text}, TMatchRule::Ends, piece.original);
            } else {
                Refuse(messages::kResultsRowUnknown, line_, piece.original);
            }
            return;
        case TKind::Adjacent:
        case TKind::OtherGroup:
            AddDerived(cell, piece.original);
            return;
        }
    }

    // 「下2ケタ 02番」 then 「50番」 in a cell of its own: another number of that shape, as wide.
    bool MoreOfTheShape(std::string_view original)
    {
        static const std::regex kBare(R"(^([0-9]+)(?:番)?$)");
        const std::string compact = CompactResultText(original);
        std::smatch m;
        if (width_ == 0 || classes_.empty() || !std::regex_match(compact, m, kBare) ||
            m[1].length() != static_cast<std::ptrdiff_t>(width_))
            return false;
        AddNumbers({m[1].str()}, TMatchRule::Ends, original);
        return true;
    }

    void CloseGroup()
    {
        if (!shape_.empty())
            Refuse(messages::kResultsRowUnknown, shapeLine_, shape_);
        if (!group_.empty())
            Refuse(messages::kResultsRowUnknown, groupLine_, groupText_);
    }

    void AddNumbers(const std::vector<std::string>& numbers, TMatchRule rule, std::string_view original)
    {
        if (classes_.empty())
            Refuse(messages::kResultsNumbersWithoutClass, line_, original);
        TDraftClass* draft = &classes_.back();
        if (!draft->numbers.empty() && draft->rule != rule) {
            // Numbers of another kind under one label are a class of their own.
            TDraftClass next{draft->label, draft->prize, line_, rule, {}, false, false};
            classes_.push_back(std::move(next));
            draft = &classes_.back();
        }
        draft->rule = rule;
        draft->numbers.insert(draft->numbers.end(), numbers.begin(), numbers.end());
    }

    void AddDerived(const TResultCell& cell, std::string_view original)
    {
        std::vector<const TDraftClass*> sources;
        for (const auto& draft : classes_)
            // 「1等賞」 is the 1等 too.
            if ((draft.label == cell.text || draft.label == cell.text + "賞") && !draft.numbers.empty())
                sources.push_back(&draft);
        if (sources.empty())
            Refuse(messages::kResultsDerivedWithoutClass, line_, original, {cell.text});
        std::vector<std::string> numbers;
        std::optional<TMatchRule> rule;
        for (const TDraftClass* source : sources) {
            for (const auto& number : source->numbers) {
                const TMatchRule made = cell.kind == TKind::Adjacent ? Adjacent(*source, number, numbers)
                                                                     : OtherGroup(*source, number, numbers);
                if (rule && *rule != made)
                    Refuse(messages::kResultsDerivedUnfit, line_, original, {cell.text, number});
                rule = made;
            }
        }
        if (!rule)
            Refuse(messages::kResultsDerivedWithoutClass, line_, original, {cell.text});
        AddNumbers(numbers, *rule, original);
    }

    // 番号 ± 1 in the same 組, wrapping inside 100000 to 199999; the kind of the 1等.
    TMatchRule Adjacent(const TDraftClass& source, const std::string& number, std::vector<std::string>& out) const
    {
        const auto mark = number.find("組");
        const std::string group = mark == std::string::npos ? "" : number.substr(0, mark + std::string("組").size());
        const std::string serial = number.substr(group.size());
        const bool fits = serial.size() == 6 && serial >= "100000" && serial <= "199999" &&
            (source.rule == TMatchRule::Whole || source.rule == TMatchRule::Ends) &&
            (!group.empty() || source.rule == TMatchRule::Ends);
        if (!fits)
            Refuse(messages::kResultsDerivedUnfit, line_, source.label + "の前後", {source.label, number});
        const long value = std::stol(serial);
        const long before = value == 100000 ? 199999 : value - 1;
        const long after = value == 199999 ? 100000 : value + 1;
        out.push_back(group + std::to_string(before));
        out.push_back(group + std::to_string(after));
        return source.rule;
    }

    TMatchRule OtherGroup(const TDraftClass& source, const std::string& number, std::vector<std::string>& out) const
    {
        if (source.rule != TMatchRule::Whole)
            Refuse(messages::kResultsDerivedUnfit, line_, source.label + "の組違い", {source.label, number});
        out.push_back(number);
        return TMatchRule::OtherGroup;
    }

    std::vector<TDraftClass> classes_;
    std::size_t line_ = 0;
    std::string group_;
    // The width of the last 下nケタ shape read in this class, 0 for none.
    std::size_t width_ = 0;
    std::string shape_;
    std::size_t shapeLine_ = 0;
    std::size_t groupLine_ = 0;
    std::string groupText_;
    std::string name_;
    std::size_t nameLine_ = 0;
    bool afterRecordCode_ = false;
};

} // namespace

TResultsDraw ReadResultsText(std::string_view bytes)
{
    const std::string text = AsUtf8(bytes);
    const std::vector<std::string_view> lines = SplitLines(text);
    if (auto draw = ReadNumberSelectionResults(lines))
        return std::move(*draw);
    const bool csv = std::any_of(lines.begin(), lines.end(), [](std::string_view line) {
        return IsRecordCode(line.substr(0, line.find(','))) || line.find("\",\"") != std::string_view::npos;
    });
    TResultsReader reader;
    for (std::size_t i = 0; i < lines.size(); ++i)
        reader.ReadLine(lines[i], i + 1, csv);
    return reader.Finish();
}

std::size_t RefusedResultsLine(const TKelmoraError& error)
{
    const std::string& format = error.Format();
    if (error.Arguments().empty() || !format.starts_with("%s 行目"))
        return 0;
    const std::string& line = error.Arguments()[0];
    if (line.empty() || line.size() > 9 || line.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return static_cast<std::size_t>(std::stoul(line));
}

} // namespace kelmora
