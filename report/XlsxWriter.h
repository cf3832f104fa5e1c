#pragma once

#include "report/ReportWriter.h"

#include <memory>
#include <string>

namespace kelmora {
class TCheckWorkbook;
}

namespace kelmora::report {

// The check as an Excel workbook, written out whole at the end.
class TXlsxWriter : public TReportWriter {
public:
    // The workbook is made beside `destination`, the output file (empty: standard output),
    // before it is written out.
    TXlsxWriter(TOutputStream& out, std::string destination);
    TXlsxWriter(const TXlsxWriter&) = delete;
    TXlsxWriter& operator=(const TXlsxWriter&) = delete;
    ~TXlsxWriter() override;
    void Win(const TCheckWin& win) override;
    void End() override;

private:
    void Started() override;

    std::string destination_;
    std::unique_ptr<TCheckWorkbook> workbook_;
};

} // namespace kelmora::report
