#include "report/XlsxWriter.h"

#include "report/CheckedDraw.h"
#include "report/OutputStream.h"
#include "report/CheckWorkbook.h"

#include <utility>

namespace kelmora::report {

TXlsxWriter::TXlsxWriter(TOutputStream& out, std::time_t checkedAt, std::string destination)
    : TReportWriter(out),
      checkedAt_(checkedAt),
      destination_(std::move(destination))
{}

TXlsxWriter::~TXlsxWriter() = default;

void TXlsxWriter::Started()
{
    workbook_ = std::make_unique<TCheckWorkbook>(Draw().definition, checkedAt_, destination_);
}

void TXlsxWriter::Win(std::size_t entry, std::string_view ticket)
{
    workbook_->Win(Draw().classOfEntry[entry], Draw().state.winningTable.Numbers()[entry], ticket);
}

void TXlsxWriter::End()
{
    workbook_->Finish([this](std::string_view bytes) { Out().Write(bytes); });
    if (workbook_->HadUndecodableBytes())
        Out().NoteUndecodableBytes();
}

} // namespace kelmora::report
