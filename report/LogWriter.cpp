#include "report/LogWriter.h"

#include "report/CheckedDraw.h"
#include "report/OutputStream.h"
#include "core/check/WinningCheck.h"

namespace kelmora::report {

void TLogWriter::Started()
{
    Out().WriteText(Draw().state.resultLog.Text());
}

void TLogWriter::Win(std::size_t entry, std::string_view ticket)
{
    // After the summary the log ends with a line break, so each win is whole lines.
    const TWinningTable& table = Draw().state.winningTable;
    Out().WriteText(kWinningNumberText);
    Out().WriteText(table.Numbers()[entry]);
    Out().EndLine();
    Out().WriteText(table.Labels()[entry]);
    Out().WriteText(kWonTicketText);
    Out().EndLine();
    Out().WriteText(ticket);
    Out().EndLine();
    Out().EndLine();
    Out().EndLine();
}

} // namespace kelmora::report
