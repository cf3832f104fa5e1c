#pragma once

#include "cli/ReportWriter.h"

#include <string>

namespace kelmora::cli {

class TOutputStream;

// One row per win after a header row, by the common CSV rules: CR LF, fields quoted when
// they hold a comma, a quote or a line break, quotes doubled.
class TCsvWriter : public TReportWriter {
public:
    explicit TCsvWriter(TOutputStream& out) : out_(out) {}
    void Begin(const TCheckedDraw& draw) override;
    void Win(std::size_t entry, std::string_view ticket) override;
    void End() override {}

private:
    // The text in the output's encoding, in scratch_.
    const std::string& Encoded(std::string_view cp932);
    void Field(std::string_view cp932, bool last);

    TOutputStream& out_;
    const TCheckedDraw* draw_ = nullptr;
    std::string scratch_;
};

} // namespace kelmora::cli
