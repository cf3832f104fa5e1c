#include "report/LogWriter.h"

#include "report/OutputStream.h"
#include "core/check/WinningCheck.h"

namespace kelmora::report {

void TLogWriter::Started()
{
    Out().WriteText(Draw().summary);
}

void TLogWriter::Win(const TCheckWin& win)
{
    // After the summary the log ends with a line break, so each win is whole lines, and the
    // head lines of a winning number are the same for all its wins.
    if (win.entry != headOf_) {
        headOf_ = win.entry;
        SetWinHead(Draw().winningTable, win.entry, head_);
    }
    Out().WriteTexts(head_, Result().TicketOf(win), std::string_view("\r\n\r\n\r\n"));
}

} // namespace kelmora::report
