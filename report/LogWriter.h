#pragma once

#include "report/ReportWriter.h"

namespace kelmora::report {

// The results log as the window holds it after one check: the draw's summary, then per win
// its number line, label line, ticket and two empty lines.
class TLogWriter : public TReportWriter {
public:
    using TReportWriter::TReportWriter;
    void Win(std::size_t entry, std::string_view ticket) override;

private:
    void Started() override;
};

} // namespace kelmora::report
