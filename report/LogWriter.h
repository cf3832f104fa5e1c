#pragma once

#include "report/ReportWriter.h"

#include <cstdint>

namespace kelmora::report {

// The results log as the window holds it after one check: the draw's summary, then per win
// its number line, label line, ticket and two empty lines.
class TLogWriter : public TReportWriter {
public:
    using TReportWriter::TReportWriter;
    void Win(const TCheckWin& win) override;

private:
    void Started() override;

    std::uint32_t headOf_ = UINT32_MAX;
    TByteString head_;
};

} // namespace kelmora::report
