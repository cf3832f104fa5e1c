#include "report/XlsxWriter.h"

#include "report/OutputStream.h"
#include "report/CheckWorkbook.h"

#include <utility>

namespace kelmora::report {

TXlsxWriter::TXlsxWriter(TOutputStream& out, std::string destination)
    : TReportWriter(out),
      destination_(std::move(destination))
{}

TXlsxWriter::~TXlsxWriter() = default;

void TXlsxWriter::Started()
{
    workbook_ = std::make_unique<TCheckWorkbook>(Result(), destination_);
}

void TXlsxWriter::Win(const TCheckWin& win)
{
    workbook_->Win(win);
}

void TXlsxWriter::End()
{
    workbook_->Finish([this](std::string_view bytes) { Out().Write(bytes); });
    if (workbook_->HadUndecodableBytes())
        Out().NoteUndecodableBytes();
}

} // namespace kelmora::report
