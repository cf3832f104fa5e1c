#include "core/match/PickClass.h"

#include "core/text/NumberForm.h"

#include <algorithm>
#include <array>

namespace kelmora {
namespace {

// A ビンゴ5 card's eight cells, left to right and top to bottom around the free centre, and its
// eight lines by cell; kFree stands for the centre, which always counts.
constexpr std::uint8_t kFree = 8;
constexpr std::array<std::array<std::uint8_t, 3>, 8> kLines{{
    {0, 1, 2},
    {3, kFree, 4},
    {5, 6, 7},
    {0, 3, 5},
    {1, kFree, 6},
    {2, 4, 7},
    {0, kFree, 7},
    {2, kFree, 5},
}};
constexpr std::size_t kCells = 8;

std::vector<std::uint32_t> NumbersOf(const TLineList& items)
{
    std::vector<std::uint32_t> numbers;
    for (const std::string_view item : items)
        ReadPickNumbers(item, numbers);
    return numbers;
}

} // namespace

TPickClass::TPickClass(TMatchKind kind, TPurchaseType type, const TLineList& numbers, const TLineList& bonus)
    : kind_(kind),
      type_(type)
{
    if (kind.rule == TMatchRule::Count || kind.rule == TMatchRule::Lines) {
        cells_ = NumbersOf(numbers);
        drawn_.Assign(cells_);
        bonus_.Assign(NumbersOf(bonus));
        return;
    }
    if (!numbers.empty())
        number_ = numbers[0];
    normalised_ = NormalisedNumber(number_);
    sortedDigits_ = normalised_;
    std::sort(sortedDigits_.begin(), sortedDigits_.end());
}

bool TPickClass::Matches(const TPickTicket& ticket) const
{
    // A ticket bought one way is paid only by classes of that way, an untyped one by untyped ones.
    if (ticket.Type() != type_)
        return false;
    switch (kind_.rule) {
    case TMatchRule::Count:
        return ticket.Picked() && MatchesCounts(ticket.Set().Common(drawn_), ticket.Set().Common(bonus_));
    case TMatchRule::Lines:
        return ticket.Picked() && MatchesLines(ticket.InOrder());
    default:
        return MatchesNumber(ticket);
    }
}

bool TPickClass::MatchesCounts(std::size_t hits, std::size_t bonus) const
{
    if (hits != kind_.pick.hits)
        return false;
    if (!kind_.pick.withBonus)
        return true;
    return kind_.pick.bonusOrMore ? bonus >= kind_.pick.bonus : bonus == kind_.pick.bonus;
}

bool TPickClass::MatchesNumber(const TPickTicket& ticket) const
{
    const std::string_view mine = ticket.Normalised();
    switch (kind_.rule) {
    case TMatchRule::Bytes:
        return !number_.empty() && ticket.Number().ends_with(number_);
    case TMatchRule::Ends:
        return !normalised_.empty() && mine.ends_with(normalised_) &&
            StartsCharacter(mine, mine.size() - normalised_.size());
    case TMatchRule::Whole:
        return !normalised_.empty() && mine == normalised_;
    case TMatchRule::OtherGroup: {
        const std::size_t at = FindGroupMark(normalised_);
        const std::size_t ticketAt = FindGroupMark(mine);
        return at != std::string_view::npos && ticketAt != std::string_view::npos &&
            mine.substr(ticketAt) == std::string_view(normalised_).substr(at) &&
            mine.substr(0, ticketAt) != std::string_view(normalised_).substr(0, at);
    }
    case TMatchRule::Box: {
        if (mine.size() != sortedDigits_.size() || sortedDigits_.empty())
            return false;
        TByteString digits(mine);
        std::sort(digits.begin(), digits.end());
        return digits == sortedDigits_;
    }
    case TMatchRule::Count:
    case TMatchRule::Lines:
        break;
    }
    return false;
}

bool TPickClass::MatchesLines(const std::vector<std::uint32_t>& cells) const
{
    if (cells.size() != kCells || cells_.size() != kCells)
        return false;
    std::array<bool, kCells + 1> hit{};
    hit[kFree] = true;
    for (std::size_t c = 0; c < kCells; ++c)
        hit[c] = cells[c] == cells_[c];
    std::uint8_t complete = 0;
    for (const auto& line : kLines)
        if (hit[line[0]] && hit[line[1]] && hit[line[2]])
            ++complete;
    return complete == kind_.pick.hits;
}

} // namespace kelmora
