#pragma once

#include "core/check/CheckResult.h"

#include <memory>
#include <vector>

namespace kelmora::report {

class TOutputStream;

// One output form of a check's result: told the result, then each of its wins in report order,
// then the end. A form shows what the result holds and works nothing out again.
class TReportWriter {
public:
    explicit TReportWriter(TOutputStream& out) : out_(out) {}
    TReportWriter(const TReportWriter&) = delete;
    TReportWriter& operator=(const TReportWriter&) = delete;
    virtual ~TReportWriter() = default;

    void Begin(const TCheckResult& result)
    {
        result_ = &result;
        Started();
    }
    virtual void Win(const TCheckWin& /*win*/) {}
    virtual void End() {}

protected:
    virtual void Started() {}
    TOutputStream& Out() const { return out_; }
    const TCheckResult& Result() const { return *result_; }
    const TCheckedDraw& Draw() const { return result_->Draw(); }

private:
    TOutputStream& out_;
    const TCheckResult* result_ = nullptr;
};

// The result through every writer, in one pass over its wins.
void WriteReport(const TCheckResult& result, const std::vector<std::unique_ptr<TReportWriter>>& writers);

} // namespace kelmora::report
