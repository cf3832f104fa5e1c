#include "report/CsvWriter.h"

#include "report/OutputStream.h"

#include <string>

namespace kelmora::report {
namespace {

// 当選番号,等級,賞,当選したクジの番号,金額 in code page 932
constexpr std::string_view kHeader = "\x93\x96\x91\x49\x94\xD4\x8D\x86,\x93\x99\x8B\x89,\x8F\xDC,"
                                     "\x93\x96\x91\x49\x82\xB5\x82\xBD\x83\x4E\x83\x57\x82\xCC\x94\xD4\x8D\x86,"
                                     "\x8B\xE0\x8A\x7A";

} // namespace

TCsvWriter::TCsvWriter(TOutputStream& out, bool guarded, bool byteOrderMark)
    : TCsvWriter(out, guarded, byteOrderMark, kHeader)
{}

TCsvWriter::TCsvWriter(TOutputStream& out, bool guarded, bool byteOrderMark, std::string_view header)
    : TReportWriter(out),
      guarded_(guarded),
      byteOrderMark_(byteOrderMark),
      header_(header)
{}

void TCsvWriter::Started()
{
    if (byteOrderMark_ && Out().Utf8())
        Out().Write("\xEF\xBB\xBF");
    Out().Write(Encoded(header_));
    Out().Write("\r\n");
}

void TCsvWriter::Win(const TCheckWin& win)
{
    const std::uint32_t classIndex = Result().ClassOf(win);
    const TPrizeClass& prizeClass = Draw().definition.classes[classIndex];
    Field(Result().NumberOf(win), false);
    Field(prizeClass.label, false);
    Field(prizeClass.prize, false);
    Field(Result().TicketOf(win), false);
    // The amount in yen as plain digits, for a spreadsheet to add up; empty for a prize in kind.
    if (const auto& amount = Draw().amountOfClass[classIndex])
        Out().Write(std::to_string(*amount));
    Out().Write("\r\n");
}

const std::string& TCsvWriter::Encoded(std::string_view cp932)
{
    scratch_.clear();
    if (Out().Utf8())
        Out().ToUtf8(cp932, scratch_);
    else
        scratch_.assign(cp932);
    return scratch_;
}

void TCsvWriter::Field(std::string_view cp932, bool last)
{
    // Neither encoding has a comma, quote or line break byte inside a character, so the
    // bytes alone tell whether a field needs quotes.
    Encoded(cp932);
    if (guarded_ && !scratch_.empty() && std::string_view("=+-@\t\r").find(scratch_.front()) != std::string_view::npos)
        scratch_.insert(0, 1, '\'');
    if (scratch_.find_first_of(",\"\r\n") == std::string::npos) {
        Out().Write(scratch_);
    } else {
        Out().Write("\"");
        for (std::size_t start = 0;;) {
            const std::size_t quote = scratch_.find('"', start);
            Out().Write(std::string_view(scratch_).substr(start, quote - start));
            if (quote == std::string::npos)
                break;
            Out().Write("\"\"");
            start = quote + 1;
        }
        Out().Write("\"");
    }
    Out().Write(last ? "\r\n" : ",");
}

} // namespace kelmora::report
