#pragma once

#include "core/check/CheckResult.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

// The wins of one check as an Excel workbook (.xlsx), for people who take results into a
// spreadsheet. Sheet 当選 holds a row per win (当選番号, 等級, 賞, 金額, 当選したクジの番号),
// sheet 等級 a row per class (等級, 一致, 当選番号, 賞, 金額, 当選数) and sheet クジごと a row per
// ticket (クジの番号, 当選した等級, 金額); each starts with the draw's name and the check's date
// and ends with a total row. Numbers and tickets are text cells, as written (leading zeros and 組
// kept); amounts are numbers in yen. Nothing is a formula: a text
// that starts with = is text. The header rows are frozen and filtered, the columns as wide as
// their texts. The rows are written as they come, so a large check needs little memory; the
// workbook grows in an unnamed temporary file beside `destination`, the file it is going to (or
// in the system's temporary folder, where that is empty or takes no file).
class TCheckWorkbook {
public:
    // `result` must outlive the workbook; its time is the check's date. Throws TKelmoraError
    // when no temporary file can be made.
    TCheckWorkbook(const TCheckResult& result, const std::string& destination);
    TCheckWorkbook(const TCheckWorkbook&) = delete;
    TCheckWorkbook& operator=(const TCheckWorkbook&) = delete;
    ~TCheckWorkbook();

    // One of the result's wins, in report order. Throws TKelmoraError past the rows a sheet can
    // hold.
    void Win(const TCheckWin& win);
    // Completes the workbook and hands its bytes to `write` in pieces. Throws the write error.
    void Finish(const std::function<void(std::string_view)>& write);
    // Whether some text had bytes that are no character (written as U+FFFD).
    bool HadUndecodableBytes() const { return undecodable_; }

private:
    struct Book;
    struct Sheet;
    void Row(Sheet& sheet, const std::vector<std::string_view>& texts);
    const std::string& Utf8(std::string_view cp932);
    void WriteClasses();
    // The result's total row: wins and amount won, and in `noteColumn` the classes the amount
    // leaves out.
    void WriteTotal(Sheet& sheet, std::uint16_t noteColumn);
    // Sheet クジごと: each ticket in ticket order with what it won, then the tickets that won and
    // the amount.
    void WriteTickets();
    void WriteTicketsTotal();

    const TCheckResult& result_;
    const TLotteryDefinition& definition_;
    std::unique_ptr<Book> book_;
    std::string scratch_;
    bool undecodable_ = false;
};

// The result saved at `path` as TCheckWorkbook writes it, atomically like every save: the old
// file stays until the new one is complete.
void SaveCheckWorkbook(const std::string& path, const TCheckResult& result);

} // namespace kelmora
