#pragma once

#include "report/ReportWriter.h"


namespace kelmora::report {

// After the wins, one line per class (label, prize, wins, separated by tabs), then a total
// line: 合計, the amount won by the classes whose prize is an amount, and the number of wins;
// then, when some class won a prize that is no amount, 合計に含まない等級 and those classes.
class TSummaryWriter : public TReportWriter {
public:
    using TReportWriter::TReportWriter;
    void End() override;
};

} // namespace kelmora::report
