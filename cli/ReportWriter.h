#pragma once

#include <cstddef>
#include <string_view>

namespace kelmora::cli {

struct TCheckedDraw;

// One output form of the check: told the draw, then every win in report order, then the end.
class TReportWriter {
public:
    virtual ~TReportWriter() = default;
    virtual void Begin(const TCheckedDraw& draw) = 0;
    // `entry` indexes the winning table; `ticket` is the ticket number that won with it.
    virtual void Win(std::size_t entry, std::string_view ticket) = 0;
    virtual void End() = 0;
};

} // namespace kelmora::cli
