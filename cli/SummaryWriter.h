#pragma once

#include "cli/ReportWriter.h"

#include <cstdint>
#include <vector>

namespace kelmora::cli {

// After the wins, one line per class (label, prize, wins, separated by tabs), then a total
// line: 合計, the amount won where every class that won has a plain amount as its prize, and
// the number of wins.
class TSummaryWriter : public TReportWriter {
public:
    using TReportWriter::TReportWriter;
    void Win(std::size_t entry, std::string_view ticket) override;
    void End() override;

private:
    void Started() override;

    std::vector<std::uint64_t> winsOfClass_;
};

} // namespace kelmora::cli
