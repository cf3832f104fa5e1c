#pragma once

#include "report/ReportWriter.h"

#include <string>

namespace kelmora::report {

// One row per win after a header row, by the common CSV rules: CR LF, fields quoted when
// they hold a comma, a quote or a line break, quotes doubled. Guarded, a field that a
// spreadsheet would take for a formula (starting with = + - @, a tab or a CR) gets a leading
// apostrophe, which spreadsheets read as "text follows". UTF-8 starts with a byte order mark
// where asked, by which spreadsheets tell UTF-8 from the local code page.
class TCsvWriter : public TReportWriter {
public:
    TCsvWriter(TOutputStream& out, bool guarded, bool byteOrderMark)
        : TReportWriter(out),
          guarded_(guarded),
          byteOrderMark_(byteOrderMark)
    {}
    void Win(const TCheckWin& win) override;

private:
    void Started() override;
    // The text in the output's encoding, in scratch_.
    const std::string& Encoded(std::string_view cp932);
    void Field(std::string_view cp932, bool last);

    bool guarded_;
    bool byteOrderMark_;
    std::string scratch_;
};

} // namespace kelmora::report
