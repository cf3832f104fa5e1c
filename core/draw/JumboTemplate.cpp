#include "core/draw/JumboTemplate.h"

#include "core/text/Cp932ToUtf8.h"
#include "core/draw/DefinitionWriter.h"
#include "core/base/KelmoraError.h"
#include "core/text/NumberForm.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace kelmora {
namespace {

// 1等, 前後賞, 組違い賞 and the labels of the rows to fill, in code page 932.
constexpr std::string_view kFirst = "1\x93\x99";
constexpr std::string_view kNeighbours = "1\x93\x99\x82\xCC\x91\x4F\x8C\xE3\x8F\xDC";
constexpr std::string_view kOtherGroup = "1\x93\x99\x82\xCC\x91\x67\x88\xE1\x82\xA2\x8F\xDC";
constexpr std::string_view kPrize = "\x93\x99"; // 等

// The message names what is wrong with the number: its 組 missing, or its 番号 not digits.
[[noreturn]] void RefuseNumber(std::string_view format, std::string_view number)
{
    std::string shown;
    AppendCp932AsUtf8(number, shown);
    throw TKelmoraError(format, {shown});
}

TByteString Padded(std::uint64_t value, std::size_t width)
{
    std::string digits = std::to_string(value);
    return std::string(width > digits.size() ? width - digits.size() : 0, '0') + digits;
}

TDrawDraft::Row MakeRow(std::string_view label, TByteString numbers, TByteString prize, TMatchRule rule)
{
    TDrawDraft::Row row;
    row.label = label;
    row.numbersText = std::move(numbers);
    row.prize = std::move(prize);
    row.rule = rule;
    row.ruleChosen = true;
    return row;
}

} // namespace

std::pair<TByteString, TByteString> NeighbourNumbers(std::string_view number)
{
    const TByteString normalised = NormalisedNumber(number);
    const std::size_t mark = FindGroupMark(normalised);
    if (mark == std::string_view::npos || mark == 0)
        RefuseNumber(messages::kFirstNumberWithoutGroup, number);
    const std::string_view group = std::string_view(normalised).substr(0, mark + kGroupMark.size());
    const std::string_view digits = std::string_view(normalised).substr(mark + kGroupMark.size());
    // Up to 18 digits fit the arithmetic below.
    if (digits.empty() || digits.size() > 18 || !std::all_of(digits.begin(), digits.end(), IsAsciiDigit))
        RefuseNumber(messages::kFirstNumberNotDigits, number);
    std::uint64_t span = 1;
    for (std::size_t k = 1; k < digits.size(); ++k)
        span *= 10;
    const std::uint64_t value = std::stoull(std::string(digits));
    // One digit has no leading digit to keep: its range is 0 to 9.
    const std::uint64_t low = digits.size() == 1 ? 0 : static_cast<std::uint64_t>(digits.front() - '0') * span;
    const std::uint64_t high = digits.size() == 1 ? 9 : low + span - 1;
    const std::uint64_t before = value == low ? high : value - 1;
    const std::uint64_t after = value == high ? low : value + 1;
    return {TByteString(group) + Padded(before, digits.size()), TByteString(group) + Padded(after, digits.size())};
}

std::vector<TDrawDraft::Row> JumboTemplateRows(const TLineList& firstNumbers, const TJumboPrizes& prizes)
{
    TLineList neighbours;
    for (const std::string_view number : firstNumbers) {
        const auto [before, after] = NeighbourNumbers(number);
        neighbours.push_back(before);
        neighbours.push_back(after);
    }
    if (firstNumbers.empty())
        throw TKelmoraError(std::string(messages::kNoFirstNumber));
    std::vector<TDrawDraft::Row> rows;
    rows.push_back(MakeRow(kFirst, JoinedNumbers(firstNumbers), prizes.first, TMatchRule::Whole));
    rows.push_back(MakeRow(kNeighbours, JoinedNumbers(neighbours), prizes.neighbours, TMatchRule::Whole));
    rows.push_back(MakeRow(kOtherGroup, JoinedNumbers(firstNumbers), prizes.otherGroup, TMatchRule::OtherGroup));
    for (char rank = '2'; rank <= '7'; ++rank) {
        const TMatchRule rule = rank == '2' ? TMatchRule::Whole : TMatchRule::Ends;
        rows.push_back(MakeRow(TByteString(1, rank) + TByteString(kPrize), {}, {}, rule));
    }
    return rows;
}

} // namespace kelmora
