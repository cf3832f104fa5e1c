#pragma once

#include "cli/ReportWriter.h"

#include <cstdint>
#include <vector>

namespace kelmora::cli {

class TOutputStream;

// After the wins, one line per class (label, prize, wins, separated by tabs), then a total
// line: 合計, the amount won where every class that won has a plain amount as its prize, and
// the number of wins.
class TSummaryWriter : public TReportWriter {
public:
    explicit TSummaryWriter(TOutputStream& out) : out_(out) {}
    void Begin(const TCheckedDraw& draw) override;
    void Win(std::size_t entry, std::string_view ticket) override;
    void End() override;

private:
    TOutputStream& out_;
    const TCheckedDraw* draw_ = nullptr;
    std::vector<std::uint64_t> winsOfClass_;
};

} // namespace kelmora::cli
