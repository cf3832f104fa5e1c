#include "core/draw/NumberSelectionTemplates.h"

#include "core/base/KelmoraError.h"
#include "core/draw/NumberList.h"
#include "core/match/PickTicket.h"
#include "core/text/NumberForm.h"

#include <algorithm>
#include <array>
#include <string>

namespace kelmora {
namespace {

struct TLotoRules {
    std::size_t drawn;
    std::size_t bonus;
    std::uint32_t highest;
    std::vector<TMatchKind> kinds; // 1等 first
};

TMatchKind Count(std::uint8_t hits)
{
    return {TMatchRule::Count, {hits, 0, false, false}};
}

TMatchKind CountBonus(std::uint8_t hits, std::uint8_t bonus, bool orMore)
{
    return {TMatchRule::Count, {hits, bonus, true, orMore}};
}

TLotoRules RulesOf(TLotoGame game)
{
    switch (game) {
    case TLotoGame::Loto6:
        return {6, 1, 43, {Count(6), CountBonus(5, 1, false), Count(5), Count(4), Count(3)}};
    case TLotoGame::Loto7:
        return {7, 2, 37, {Count(7), CountBonus(6, 1, false), Count(6), Count(5), Count(4), CountBonus(3, 1, true)}};
    case TLotoGame::MiniLoto:
        break;
    }
    return {5, 1, 31, {Count(5), CountBonus(4, 1, false), Count(4), Count(3)}};
}

// "N等" in code page 932.
TByteString ClassLabel(std::size_t n)
{
    return std::to_string(n) + "\x93\x99";
}

// Two digits each, blank-separated, as the lottery writes them.
TByteString Joined(const std::vector<std::uint32_t>& numbers)
{
    TByteString text;
    for (const std::uint32_t n : numbers) {
        if (!text.empty())
            text += ' ';
        if (n < 10)
            text += '0';
        text += std::to_string(n);
    }
    return text;
}

TByteString PrizeOf(const std::vector<TByteString>& prizes, std::size_t k)
{
    return k < prizes.size() ? prizes[k] : TByteString();
}

TDrawDraft::Row MakeRow(TByteString label, TByteString numbers, TByteString prize, TMatchKind kind)
{
    TDrawDraft::Row row;
    row.label = std::move(label);
    row.numbersText = std::move(numbers);
    row.prize = std::move(prize);
    row.rule = kind.rule;
    row.pick = kind.pick;
    row.ruleChosen = true;
    return row;
}

// Whether the character at `p` (`length` bytes) is a digit, ASCII or full-width, or a separator.
bool KeepsCharacter(std::string_view text, std::size_t p, std::size_t length)
{
    const auto byte = static_cast<unsigned char>(text[p]);
    if (length == 1)
        return (byte >= '0' && byte <= '9') || byte == ' ' || byte == ',' || byte == '\t';
    const auto next = static_cast<unsigned char>(text[p + 1]);
    return (byte == 0x82 && next >= 0x4F && next <= 0x58) ||
        (byte == 0x81 && (next == 0x40 || next == 0x41 || next == 0x43));
}

// The announced numbers before the first bonus mark (a parenthesis, or the word ボーナス) and
// those after it; anything but digits and separators (本数字, parentheses) reads as a blank.
void SplitAnnounced(std::string_view text, std::string& main, std::string& bonus)
{
    static constexpr std::array<std::string_view, 3> kBonusMarks{"(", "\x81\x69", "\x83\x7B\x81\x5B\x83\x69\x83\x58"};
    std::size_t at = text.size();
    for (std::size_t p = 0; p < text.size() && at == text.size(); p += CharacterLength(text, p))
        for (const std::string_view mark : kBonusMarks)
            if (text.substr(p).starts_with(mark))
                at = p;
    for (std::size_t p = 0; p < text.size();) {
        const std::size_t length = CharacterLength(text, p);
        std::string& part = p < at ? main : bonus;
        part += KeepsCharacter(text, p, length) ? text.substr(p, length) : std::string_view(" ");
        p += length;
    }
}

std::vector<std::uint32_t> Numbers(std::string_view text)
{
    std::vector<std::uint32_t> numbers;
    ReadPickNumbers(text, numbers);
    return numbers;
}

bool Distinct(std::vector<std::uint32_t> numbers)
{
    std::sort(numbers.begin(), numbers.end());
    return std::adjacent_find(numbers.begin(), numbers.end()) == numbers.end();
}

} // namespace

std::size_t LotoClassCount(TLotoGame game)
{
    return RulesOf(game).kinds.size();
}

std::vector<TDrawDraft::Row> LotoTemplateRows(TLotoGame game, std::string_view announced,
                                              const std::vector<TByteString>& prizes)
{
    const TLotoRules rules = RulesOf(game);
    std::string mainText;
    std::string bonusText;
    SplitAnnounced(announced, mainText, bonusText);
    const std::vector<std::uint32_t> drawn = Numbers(mainText);
    const std::vector<std::uint32_t> bonus = Numbers(bonusText);
    std::vector<std::uint32_t> all = drawn;
    all.insert(all.end(), bonus.begin(), bonus.end());
    const bool inRange =
        std::all_of(all.begin(), all.end(), [&](std::uint32_t n) { return n >= 1 && n <= rules.highest; });
    if (drawn.size() != rules.drawn || bonus.size() != rules.bonus || !inRange || !Distinct(all))
        throw TKelmoraError(messages::kLotoNumbers,
                            {std::to_string(rules.drawn), std::to_string(rules.bonus), std::to_string(rules.highest)});
    std::vector<TDrawDraft::Row> rows;
    for (std::size_t k = 0; k < rules.kinds.size(); ++k) {
        TDrawDraft::Row row = MakeRow(ClassLabel(k + 1), Joined(drawn), PrizeOf(prizes, k), rules.kinds[k]);
        row.bonusText = Joined(bonus);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<TDrawDraft::Row> NumbersTemplateRows(std::string_view drawn, const std::vector<TByteString>& prizes)
{
    const TByteString number = NormalisedNumber(drawn);
    const bool digits = !number.empty() && number.find_first_not_of("0123456789") == std::string::npos;
    if (!digits || (number.size() != 3 && number.size() != 4))
        throw TKelmoraError(messages::kNumbersDigits, {});
    // ストレート, ボックス, セット（ストレート）, セット（ボックス）, ミニ in code page 932.
    const TByteString straight = "\x83\x58\x83\x67\x83\x8C\x81\x5B\x83\x67";
    const TByteString box = "\x83\x7B\x83\x62\x83\x4E\x83\x58";
    const TByteString set = "\x83\x5A\x83\x62\x83\x67";
    const TMatchKind whole{TMatchRule::Whole, {}};
    const TMatchKind boxKind{TMatchRule::Box, {}};
    std::vector<TDrawDraft::Row> rows{
        MakeRow(straight, number, PrizeOf(prizes, 0), whole),
        MakeRow(box, number, PrizeOf(prizes, 1), boxKind),
        MakeRow(set + "\x81\x69" + straight + "\x81\x6A", number, PrizeOf(prizes, 2), whole),
        MakeRow(set + "\x81\x69" + box + "\x81\x6A", number, PrizeOf(prizes, 3), boxKind),
    };
    rows[0].type = TPurchaseType::Straight;
    rows[1].type = TPurchaseType::Box;
    rows[2].type = TPurchaseType::Set;
    rows[3].type = TPurchaseType::Set;
    if (number.size() == 3) {
        rows.push_back(MakeRow("\x83\x7E\x83\x6A", number.substr(1), PrizeOf(prizes, 4), {TMatchRule::Ends, {}}));
        rows.back().type = TPurchaseType::Mini;
    }
    return rows;
}

std::vector<TDrawDraft::Row> Bingo5TemplateRows(std::string_view cells, const std::vector<TByteString>& prizes)
{
    const std::vector<std::uint32_t> numbers = Numbers(cells);
    const bool inRange = std::all_of(numbers.begin(), numbers.end(), [](std::uint32_t n) { return n >= 1 && n <= 40; });
    if (numbers.size() != 8 || !inRange)
        throw TKelmoraError(messages::kBingo5Cells, {});
    constexpr std::array<std::uint8_t, 7> kLines{8, 6, 5, 4, 3, 2, 1};
    std::vector<TDrawDraft::Row> rows;
    for (std::size_t k = 0; k < kLines.size(); ++k)
        rows.push_back(MakeRow(ClassLabel(k + 1), Joined(numbers), PrizeOf(prizes, k),
                               {TMatchRule::Lines, {kLines[k], 0, false, false}}));
    return rows;
}

bool LooksLikeLotoSet(const TDrawDraft::Row& row)
{
    if (row.rule != TMatchRule::Ends && row.rule != TMatchRule::Bytes)
        return false;
    const TLineList items = SplitNumberList(row.numbersText);
    if (items.size() < 5 || items.size() > 7)
        return false;
    for (const std::string_view item : items) {
        const TByteString number = NormalisedNumber(item);
        if (number.empty() || number.size() > 2 || number.find_first_not_of("0123456789") != std::string::npos)
            return false;
        const int value = std::stoi(number);
        if (value < 1 || value > 43)
            return false;
    }
    return true;
}

} // namespace kelmora
