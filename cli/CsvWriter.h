#pragma once

#include "cli/ReportWriter.h"

#include <string>

namespace kelmora::cli {

// One row per win after a header row, by the common CSV rules: CR LF, fields quoted when
// they hold a comma, a quote or a line break, quotes doubled. The last field is the prize's
// amount in yen, empty when the prize is no amount.
class TCsvWriter : public TReportWriter {
public:
    using TReportWriter::TReportWriter;
    void Win(std::size_t entry, std::string_view ticket) override;

private:
    void Started() override;
    // The text in the output's encoding, in scratch_.
    const std::string& Encoded(std::string_view cp932);
    void Field(std::string_view cp932, bool last);

    std::string scratch_;
};

} // namespace kelmora::cli
