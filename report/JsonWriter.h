#pragma once

#include "report/ReportWriter.h"

#include <string>

namespace kelmora::report {

// One UTF-8 JSON document: the event, the classes (with their kind of match, "rule", null where
// the class names none) and the wins in report order; a class is named in a win by its 1-based
// place in "classes", and a win carries its prize's amount in yen (null for a prize in kind).
class TJsonWriter : public TReportWriter {
public:
    using TReportWriter::TReportWriter;
    void Win(const TCheckWin& win) override;
    void End() override;

private:
    void Started() override;
    // A JSON string of the code page 932 text.
    void String(std::string_view cp932);

    bool firstWin_ = true;
    std::string scratch_;
};

} // namespace kelmora::report
