#include "core/check/TicketWins.h"

#include "core/check/CheckResult.h"

#include <algorithm>
#include <string>

namespace kelmora {
namespace {

constexpr std::string_view kJoin = "\x81\x45"; // ・

} // namespace

std::vector<TTicketWins> WinsByTicket(const TCheckResult& result)
{
    const TCheckedDraw& draw = result.Draw();
    std::vector<TTicketWins> tickets(result.Tickets().size());
    for (const TCheckWin& win : result.Wins()) {
        TTicketWins& ticket = tickets[win.ticket];
        const std::uint32_t classIndex = result.ClassOf(win);
        ticket.classes.push_back(classIndex);
        const auto& amount = draw.amountOfClass[classIndex];
        if (!amount)
            ticket.inKind = true;
        else if (__builtin_add_overflow(ticket.yen, *amount, &ticket.yen))
            ticket.overflow = true;
    }
    // Wins come by winning number; a ticket shows its classes in the draw's order.
    for (TTicketWins& ticket : tickets)
        std::stable_sort(ticket.classes.begin(), ticket.classes.end());
    return tickets;
}

TByteString ClassesText(const TCheckedDraw& draw, const TTicketWins& wins)
{
    TByteString text;
    for (const std::uint32_t c : wins.classes) {
        if (!text.empty())
            text += kJoin;
        text += draw.definition.classes[c].label;
    }
    return text;
}

TByteString AmountText(const TCheckedDraw& draw, const TTicketWins& wins)
{
    if (!wins.Won())
        return {};
    if (!wins.inKind && !wins.overflow)
        return std::to_string(wins.yen);
    // What cannot be summed is told as the draw writes its prizes.
    TByteString text;
    for (const std::uint32_t c : wins.classes) {
        if (!text.empty())
            text += kJoin;
        text += draw.definition.classes[c].prize;
    }
    return text;
}

} // namespace kelmora
