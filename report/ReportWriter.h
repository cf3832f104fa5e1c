#pragma once

#include <cstddef>
#include <string_view>

namespace kelmora::report {

struct TCheckedDraw;
class TOutputStream;

// One output form of the check: told the draw, then every win in report order, then the end.
class TReportWriter {
public:
    explicit TReportWriter(TOutputStream& out) : out_(out) {}
    TReportWriter(const TReportWriter&) = delete;
    TReportWriter& operator=(const TReportWriter&) = delete;
    virtual ~TReportWriter() = default;

    void Begin(const TCheckedDraw& draw)
    {
        draw_ = &draw;
        Started();
    }
    // `entry` indexes the winning table; `ticket` is the ticket number that won with it.
    virtual void Win(std::size_t entry, std::string_view ticket) = 0;
    virtual void End() {}

protected:
    virtual void Started() {}
    TOutputStream& Out() const { return out_; }
    const TCheckedDraw& Draw() const { return *draw_; }

private:
    TOutputStream& out_;
    const TCheckedDraw* draw_ = nullptr;
};

} // namespace kelmora::report
