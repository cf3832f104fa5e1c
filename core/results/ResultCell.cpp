#include "core/results/ResultCell.h"

#include "core/base/Regex.h"

#include <array>
#include <cstddef>

namespace kelmora {
namespace {

// The longest piece worth matching: a winning-number cell is short, and std::regex recurses.
constexpr std::size_t kMaxCellBytes = 240;

// The code point at `text[i]` (valid UTF-8, as the reader hands it over) and its length.
char32_t CodePointAt(std::string_view text, std::size_t i, std::size_t& length)
{
    const auto byte = static_cast<unsigned char>(text[i]);
    length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
    if (i + length > text.size()) {
        length = 1;
        return byte;
    }
    char32_t code = length == 1 ? char32_t{byte} : static_cast<char32_t>(byte & (0x3Fu >> (length - 1)));
    for (std::size_t k = 1; k < length; ++k)
        code = code << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    return code;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string StripDecoration(std::string_view text)
{
    static const std::array<std::string_view, 19> kMarks = {"・", "●", "○", "◆", "◇",  "■",  "□",  "▽",  "▼", "△",
                                                            "▲",  "★", "☆", "◎", "【", "】", "「", "」", "＊"};
    bool changed = true;
    while (changed && !text.empty()) {
        changed = false;
        for (std::string_view mark : kMarks) {
            if (text.starts_with(mark)) {
                text.remove_prefix(mark.size());
                changed = true;
            }
            if (text.ends_with(mark)) {
                text.remove_suffix(mark.size());
                changed = true;
            }
        }
        for (char c : {'[', ']', '*', '-', '#'}) {
            if (!text.empty() && text.front() == c) {
                text.remove_prefix(1);
                changed = true;
            }
            if (!text.empty() && text.back() == c) {
                text.remove_suffix(1);
                changed = true;
            }
        }
    }
    return std::string(text);
}

std::vector<std::string> DigitRuns(std::string_view text)
{
    std::vector<std::string> runs;
    for (std::size_t i = 0; i < text.size();) {
        if (!IsDigit(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && IsDigit(text[end]))
            ++end;
        runs.emplace_back(text.substr(i, end - i));
        i = end;
    }
    return runs;
}

TResultCell Cell(TResultCell::Kind kind, std::string text = {})
{
    TResultCell cell;
    cell.kind = kind;
    cell.text = std::move(text);
    return cell;
}

// 「下3ケタ 345番」, 「6けた 770102」, 「(下2けた)86番65番32番」, 「73、44、84(下2ケタ)」: every
// number as long as the shape says.
bool ReadLastDigits(const std::string& compact, TResultCell& cell)
{
    static const std::regex kBefore(R"(^\(?(?:下)?([1-9])(?:ケタ|けた|桁)\)?(.+)$)");
    static const std::regex kAfter(R"(^(.+?)\(?(?:下)?([1-9])(?:ケタ|けた|桁)\)?$)");
    static const std::regex kList(R"(^[0-9]+(?:(?:番(?:、|,|・)?|、|,|・)[0-9]+)*(?:番)?$)");
    std::smatch m;
    std::string digits;
    std::string list;
    if (std::regex_match(compact, m, kBefore)) {
        digits = m[1];
        list = m[2];
    } else if (std::regex_match(compact, m, kAfter)) {
        list = m[1];
        digits = m[2];
    } else {
        return false;
    }
    if (!std::regex_match(list, kList))
        return false;
    const auto width = static_cast<std::size_t>(digits[0] - '0');
    cell.numbers = DigitRuns(list);
    for (const auto& number : cell.numbers)
        if (number.size() != width)
            return false;
    cell.kind = TResultCell::Kind::Numbers;
    cell.rule = TMatchRule::Ends;
    cell.text = digits;
    return true;
}

} // namespace

std::string CompactResultText(std::string_view text)
{
    std::string out;
    bool blankAfterDigit = false;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 0;
        const char32_t code = CodePointAt(text, i, length);
        const std::string_view original = text.substr(i, length);
        i += length;
        if (code == ' ' || code == '\t' || code == 0x3000 || code == 0xA0 || code == '\r' || code == '\n') {
            blankAfterDigit = blankAfterDigit || (!out.empty() && IsDigit(out.back()));
            continue;
        }
        std::string piece;
        if (code >= 0xFF10 && code <= 0xFF19)
            piece = static_cast<char>('0' + (code - 0xFF10));
        else if (code >= 0xFF21 && code <= 0xFF3A)
            piece = static_cast<char>('A' + (code - 0xFF21));
        else if (code >= 0xFF41 && code <= 0xFF5A)
            piece = static_cast<char>('a' + (code - 0xFF41));
        else if (code == 0xFF08)
            piece = "(";
        else if (code == 0xFF09)
            piece = ")";
        else if (code == 0xFF0C)
            piece = ",";
        else if (code == 0xFF0E)
            piece = ".";
        else if (code == 0xFF1A)
            piece = ":";
        else if (code == 0xFF0D)
            piece = "-";
        else if (code == 0xFF64)
            piece = "、";
        else
            piece = original;
        if (blankAfterDigit && IsDigit(piece[0]))
            out += "、";
        blankAfterDigit = false;
        out += piece;
    }
    return out;
}

TResultCell ClassifyResultCell(std::string_view compactView)
{
    using TKind = TResultCell::Kind;
    if (compactView.empty())
        return Cell(TKind::Ignored);
    if (compactView.size() > kMaxCellBytes)
        return Cell(TKind::Unknown);
    const std::string compact(compactView);
    if (compact.starts_with("※"))
        return Cell(TKind::Ignored);
    static const std::array<std::string_view, 26> kHeaders = {
        "等級",       "等",         "当せん金額",     "当選金額", "金額",
        "当せん番号", "当選番号",   "番号",           "組",       "組番号",
        "本数",       "当せん本数", "当選本数",       "賞金",     "賞品",
        "備考",       "条件",       "当せん条件",     "各組共通", "全券種共通",
        "当せん金",   "当選金",     "等級・当せん金", "組・番号", "当せん本数(予定)",
        "|"};
    for (std::string_view header : kHeaders)
        if (compact == header)
            return Cell(TKind::Ignored);
    static const std::regex kSeparator(R"(^[|:\-=]{3,}$|^[|:\-]*-[|:\-]*$)");
    if (std::regex_match(compact, kSeparator))
        return Cell(TKind::Ignored);
    if (compact == "該当なし" || compact == "該当無し" || compact == "なし")
        return Cell(TKind::NoWinner);

    std::smatch m;
    static const std::regex kWhole(R"(^([0-9]{1,3})組([0-9]{6})(?:番)?$)");
    if (std::regex_match(compact, m, kWhole)) {
        TResultCell cell = Cell(TKind::Numbers);
        cell.numbers.push_back(m[1].str() + "組" + m[2].str());
        cell.rule = TMatchRule::Whole;
        return cell;
    }
    static const std::regex kGroupLastDigit(R"(^組下1(?:ケタ|けた|桁)([0-9])組([0-9]{6})(?:番)?$)");
    if (std::regex_match(compact, m, kGroupLastDigit)) {
        TResultCell cell = Cell(TKind::Numbers);
        cell.numbers.push_back(m[1].str() + "組" + m[2].str());
        return cell;
    }
    static const std::regex kEveryGroup(R"(^各組共通([0-9]{6})(?:番)?$|^([0-9]{6})(?:番)?\(?各組共通\)?$)");
    if (std::regex_match(compact, m, kEveryGroup)) {
        TResultCell cell = Cell(TKind::Numbers);
        cell.numbers.push_back(m[1].matched ? m[1].str() : m[2].str());
        return cell;
    }
    static const std::regex kGroupOnly(R"(^([0-9]{1,3})組$)");
    if (std::regex_match(compact, m, kGroupOnly))
        return Cell(TKind::GroupOnly, m[1]);
    static const std::regex kNumberOnly(R"(^([0-9]{6})番$)");
    if (std::regex_match(compact, m, kNumberOnly))
        return Cell(TKind::NumberOnly, m[1]);
    static const std::regex kAdjacent(R"(^([0-9]{1,2}等)(?:の)?前後(?:賞)?(?:の)?(?:当せん|当選)?番号$)");
    if (std::regex_match(compact, m, kAdjacent))
        return Cell(TKind::Adjacent, m[1]);
    static const std::regex kOtherGroup(R"(^([0-9]{1,2}等)(?:の)?組違い(?:賞)?(?:の)?(?:同)?(?:当せん|当選)?番号$)");
    if (std::regex_match(compact, m, kOtherGroup))
        return Cell(TKind::OtherGroup, m[1]);
    {
        TResultCell cell;
        if (ReadLastDigits(compact, cell))
            return cell;
    }
    static const std::regex kCount(
        R"(^\(?(?:各)?[0-9][0-9,]*(?:万|億|千)?(?:本|口|枚|通)\)?$|^\(?[0-9][0-9,\.]*(?:万|億|千)?(?:本|枚|口|通)に[0-9]+(?:本|枚|口|通)\)?$)");
    if (std::regex_match(compact, kCount))
        return Cell(TKind::Count);
    static const std::regex kPrize(
        R"(^(?:各)?(?:¥|￥)?[0-9][0-9,\.]*(?:(?:億|万|千|百)[0-9,\.]*)*(?:円)?(?:相当|分)?$)");
    if (std::regex_match(compact, kPrize) &&
        (compact.find("円") != std::string::npos || compact.find("億") != std::string::npos ||
         compact.find("万") != std::string::npos || compact.find("¥") != std::string::npos ||
         compact.find("￥") != std::string::npos))
        return Cell(TKind::Prize, compact);

    const std::string bare = StripDecoration(compact);
    static const std::regex kLabel(
        R"(^([0-9]{1,2}等|[0-9]{1,2}等[^0-9(),:]{0,60}賞|[^0-9(),:]{1,60}賞)(?:\((.+)\))?$)");
    if (std::regex_match(bare, m, kLabel)) {
        TResultCell cell = Cell(TKind::Label, m[1]);
        if (m[2].matched) {
            const TResultCell inside = ClassifyResultCell(m[2].str());
            if (inside.kind != TKind::Prize && inside.kind != TKind::NoWinner)
                return Cell(TKind::Unknown);
            cell.prize = m[2];
        }
        return cell;
    }
    return Cell(TKind::Unknown);
}

} // namespace kelmora
