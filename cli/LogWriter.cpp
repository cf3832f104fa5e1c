#include "cli/LogWriter.h"

#include "cli/CheckedDraw.h"
#include "cli/OutputStream.h"
#include "core/WinningCheck.h"

namespace kelmora::cli {

void TLogWriter::Begin(const TCheckedDraw& draw)
{
    draw_ = &draw;
    out_.WriteText(draw.state.resultLog.Text());
}

void TLogWriter::Win(std::size_t entry, std::string_view ticket)
{
    // After the summary the log ends with a line break, so each win is whole lines.
    const TWinningTable& table = draw_->state.winningTable;
    out_.WriteText(kWinningNumberText);
    out_.WriteText(table.Numbers()[entry]);
    out_.EndLine();
    out_.WriteText(table.Labels()[entry]);
    out_.WriteText(kWonTicketText);
    out_.EndLine();
    out_.WriteText(ticket);
    out_.EndLine();
    out_.EndLine();
    out_.EndLine();
}

} // namespace kelmora::cli
