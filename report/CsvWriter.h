#pragma once

#include "report/ReportWriter.h"

#include <string>
#include <string_view>

namespace kelmora::report {

// One row per win after a header row, by the common CSV rules: CR LF, fields quoted when
// they hold a comma, a quote or a line break, quotes doubled. Guarded, a field that a
// spreadsheet would take for a formula (starting with = + - @, a tab or a CR) gets a leading
// apostrophe, which spreadsheets read as "text follows". UTF-8 starts with a byte order mark
// where asked, by which spreadsheets tell UTF-8 from the local code page.
class TCsvWriter : public TReportWriter {
public:
    TCsvWriter(TOutputStream& out, bool guarded, bool byteOrderMark);
    void Win(const TCheckWin& win) override;

protected:
    // A CSV form with rows of its own under `header` (code page 932, fields joined by commas).
    TCsvWriter(TOutputStream& out, bool guarded, bool byteOrderMark, std::string_view header);
    // One field, quoted and guarded as needed, then a comma or (`last`) the line's end.
    void Field(std::string_view cp932, bool last);

private:
    void Started() override;
    // The text in the output's encoding, in scratch_.
    const std::string& Encoded(std::string_view cp932);

    bool guarded_;
    bool byteOrderMark_;
    std::string_view header_;
    std::string scratch_;
};

} // namespace kelmora::report
