#include "report/TicketsWriter.h"

#include "core/check/TicketWins.h"

#include <string_view>

namespace kelmora::report {
namespace {

// クジの番号,当選した等級,金額 in code page 932
constexpr std::string_view kHeader = "\x83\x4E\x83\x57\x82\xCC\x94\xD4\x8D\x86,"
                                     "\x93\x96\x91\x49\x82\xB5\x82\xBD\x93\x99\x8B\x89,\x8B\xE0\x8A\x7A";

} // namespace

TTicketsWriter::TTicketsWriter(TOutputStream& out, bool guarded, bool byteOrderMark)
    : TCsvWriter(out, guarded, byteOrderMark, kHeader)
{}

void TTicketsWriter::End()
{
    const std::vector<TTicketWins> tickets = WinsByTicket(Result());
    for (std::size_t t = 0; t < tickets.size(); ++t) {
        Field(Result().Tickets()[t], false);
        Field(ClassesText(Draw(), tickets[t]), false);
        Field(AmountText(Draw(), tickets[t]), true);
    }
}

} // namespace kelmora::report
