#pragma once

#include "cli/ReportWriter.h"

namespace kelmora::cli {

class TOutputStream;

// The results log as the window holds it after one check: the draw's summary, then per win
// its number line, label line, ticket and two empty lines.
class TLogWriter : public TReportWriter {
public:
    explicit TLogWriter(TOutputStream& out) : out_(out) {}
    void Begin(const TCheckedDraw& draw) override;
    void Win(std::size_t entry, std::string_view ticket) override;
    void End() override {}

private:
    TOutputStream& out_;
    const TCheckedDraw* draw_ = nullptr;
};

} // namespace kelmora::cli
