#include "report/ReportWriter.h"

namespace kelmora::report {

void WriteReport(const TCheckResult& result, const std::vector<std::unique_ptr<TReportWriter>>& writers)
{
    for (const auto& writer : writers)
        writer->Begin(result);
    for (const TCheckWin& win : result.Wins())
        for (const auto& writer : writers)
            writer->Win(win);
    for (const auto& writer : writers)
        writer->End();
}

} // namespace kelmora::report
