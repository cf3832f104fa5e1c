#include "report/CheckWorkbook.h"

#include "core/text/Cp932ToUtf8.h"
#include "core/base/KelmoraError.h"
#include "core/draw/LotteryDefinition.h"
#include "core/match/MatchRule.h"
#include "core/text/PrizeAmount.h"
#include "core/files/SafeFileWriter.h"
#include "core/check/TicketWins.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <optional>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#include <xlsxwriter.h>

namespace kelmora {
namespace {

constexpr std::string_view kTooManyRowsMessage = "当選が多すぎて Excel のシート (1,048,576 行) に入りません";

constexpr lxw_row_t kHeaderRow = 3;
// The most characters a cell holds, and the largest whole number a cell's double holds exactly.
constexpr std::size_t kMaxCellCharacters = 32767;
constexpr std::uint64_t kMaxExactNumber = std::uint64_t{1} << 53;

// `utf8` cut to what a cell holds, its end marked with an ellipsis so that the cut shows.
std::string FitInCell(const std::string& utf8)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80)
            continue;
        if (++characters == kMaxCellCharacters)
            return utf8.substr(0, i) + "…";
    }
    return utf8;
}

constexpr std::size_t kMaxColumnWidth = 60;

// How many columns a text takes in a gothic font: wide characters two, the rest one.
std::size_t DisplayWidth(std::string_view utf8)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            ++width, ++i;
            continue;
        }
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        char32_t c = lead & (0xFF >> (length + 1));
        for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k)
            c = c << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        width += c >= 0x1100 && !(c >= 0xFF61 && c <= 0xFF9F) ? 2 : 1;
        i += length;
    }
    return width;
}

std::string DateText(std::time_t time)
{
    std::tm local{};
    ::localtime_r(&time, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

// The library's working file: in memory, so that the library, which reports a failed write
// only on standard error and without its reason, meets none; the bytes reach `destination`
// through the program's own writes, which name it and say why. Without memory files, an
// unnamed file beside `destination` where the file system allows (nothing is left behind by a
// killed save), else one unlinked at once.
int OpenTemporaryFile(const std::string& destination)
{
    if (const int fd = ::memfd_create("kelmora-xlsx", MFD_CLOEXEC); fd >= 0)
        return fd;
    const std::size_t slash = destination.rfind('/');
    const std::string folder = destination.empty() ? std::string()
        : slash == std::string::npos               ? std::string(".")
                                                   : destination.substr(0, slash + 1);
    const char* tmpdir = std::getenv("TMPDIR");
    for (const std::string& dir : {folder, std::string(tmpdir != nullptr && *tmpdir != '\0' ? tmpdir : "/tmp")}) {
        if (dir.empty())
            continue;
        if (const int fd = ::open(dir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600); fd >= 0)
            return fd;
        std::string name = dir + "/.kelmora-xlsx-XXXXXX";
        if (const int fd = ::mkostemp(name.data(), O_CLOEXEC); fd >= 0) {
            ::unlink(name.c_str());
            return fd;
        }
    }
    ThrowCannotCreate(destination.empty() ? std::string("/tmp") : destination);
}

// The kind of match of a class, as the 等級 sheet names it: as the draw editor does.
std::string_view MatchKindText(const TPrizeClass& prizeClass)
{
    return MatchRuleCaption(prizeClass.rule);
}

} // namespace

struct TCheckWorkbook::Sheet {
    lxw_worksheet* worksheet = nullptr;
    lxw_row_t row = 0;
    std::vector<std::size_t> widths;
};

struct TCheckWorkbook::Book {
    int fd = -1;
    lxw_workbook* workbook = nullptr;
    lxw_format* text = nullptr;
    lxw_format* header = nullptr;
    lxw_format* yen = nullptr;
    lxw_format* count = nullptr;
    lxw_format* winCount = nullptr;    // a count of wins: 15件
    lxw_format* ticketCount = nullptr; // a count of tickets: 11枚
    Sheet wins;
    Sheet classes;
    Sheet tickets;
    std::string destination; // empty for standard output

    Book() = default;
    Book(const Book&) = delete;
    Book& operator=(const Book&) = delete;
    ~Book()
    {
        if (workbook != nullptr)
            ::lxw_workbook_free(workbook);
        if (fd >= 0)
            ::close(fd);
    }

    void Check(lxw_error error) const
    {
        if (error == LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE)
            throw TKelmoraError(std::string(kTooManyRowsMessage));
        if (error == LXW_ERROR_MEMORY_MALLOC_FAILED)
            ThrowWriteFailed(ENOMEM);
        if (error != LXW_NO_ERROR)
            ThrowWriteFailed(EIO);
    }

    // The working file is written by the library and read back here; its errors are the
    // output's.
    [[noreturn]] void ThrowWriteFailed(int error) const
    {
        if (destination.empty())
            ThrowStandardOutputError(error);
        ThrowWriteError(destination, error);
    }

    void Text(Sheet& sheet, lxw_col_t column, const std::string& utf8, lxw_format* format)
    {
        const std::string cell = utf8.size() < kMaxCellCharacters ? utf8 : FitInCell(utf8);
        Check(::worksheet_write_string(sheet.worksheet, sheet.row, column, cell.c_str(), format));
        Widen(sheet, column, DisplayWidth(cell));
    }

    void Number(Sheet& sheet, lxw_col_t column, std::uint64_t value, lxw_format* format)
    {
        // A number the cell's double would round goes in as its digits, exact.
        if (value > kMaxExactNumber) {
            Text(sheet, column, std::to_string(value), text);
            return;
        }
        Check(::worksheet_write_number(sheet.worksheet, sheet.row, column, static_cast<double>(value), format));
        // Digits, group commas and the unit.
        const std::size_t digits = std::to_string(value).size();
        Widen(sheet, column, digits + (digits - 1) / 3 + 2);
    }

    static void Widen(Sheet& sheet, lxw_col_t column, std::size_t width)
    {
        if (sheet.widths.size() <= column)
            sheet.widths.resize(column + 1u, 0);
        sheet.widths[column] = std::max(sheet.widths[column], width);
    }
};

TCheckWorkbook::TCheckWorkbook(const TCheckResult& result, const std::string& destination)
    : result_(result),
      definition_(result.Draw().definition),
      book_(std::make_unique<Book>())
{
    const TLotteryDefinition& definition = definition_;
    const std::time_t checkedAt = result.CheckedAt();
    Book& book = *book_;
    book.destination = destination;
    book.fd = OpenTemporaryFile(destination);
    // The library opens the file by name; this name is the unnamed file itself.
    const std::string name = "/proc/self/fd/" + std::to_string(book.fd);
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    book.workbook = ::workbook_new_opt(name.c_str(), &options);
    if (book.workbook == nullptr)
        ThrowCannotCreate(destination.empty() ? std::string("/tmp") : destination);
    lxw_doc_properties properties{};
    properties.created = checkedAt; // the same check gives the same bytes
    ::workbook_set_properties(book.workbook, &properties);

    book.text = ::workbook_add_format(book.workbook);
    ::format_set_num_format(book.text, "@");
    book.header = ::workbook_add_format(book.workbook);
    ::format_set_num_format(book.header, "@");
    ::format_set_bold(book.header);
    ::format_set_bottom(book.header, LXW_BORDER_THIN);
    book.yen = ::workbook_add_format(book.workbook);
    ::format_set_num_format(book.yen, "#,##0\"円\"");
    book.count = ::workbook_add_format(book.workbook);
    ::format_set_num_format(book.count, "#,##0");
    // The total rows' counts say what they count, whatever column they stand in.
    book.winCount = ::workbook_add_format(book.workbook);
    ::format_set_num_format(book.winCount, "#,##0\"件\"");
    book.ticketCount = ::workbook_add_format(book.workbook);
    ::format_set_num_format(book.ticketCount, "#,##0\"枚\"");

    book.wins.worksheet = ::workbook_add_worksheet(book.workbook, "当選");
    book.classes.worksheet = ::workbook_add_worksheet(book.workbook, "等級");
    book.tickets.worksheet = ::workbook_add_worksheet(book.workbook, "クジごと");

    const std::string event = Utf8(definition.eventName);
    const std::string date = DateText(checkedAt);
    for (Sheet* sheet : {&book.wins, &book.classes, &book.tickets}) {
        book.Text(*sheet, 0, "抽せん", book.text);
        book.Text(*sheet, 1, event, book.text);
        sheet->row = 1;
        book.Text(*sheet, 0, "確認日時", book.text);
        book.Text(*sheet, 1, date, book.text);
        sheet->row = kHeaderRow;
        // The top lines do not decide how wide a column is.
        sheet->widths.assign(sheet->widths.size(), 0);
    }
    Row(book.wins, {"当選番号", "等級", "賞", "金額", "当選したクジの番号"});
    Row(book.classes, {"等級", "一致", "当選番号", "賞", "金額", "当選数"});
    Row(book.tickets, {"クジの番号", "当選した等級", "金額"});
}

TCheckWorkbook::~TCheckWorkbook() = default;

void TCheckWorkbook::Row(Sheet& sheet, const std::vector<std::string_view>& texts)
{
    for (std::size_t column = 0; column < texts.size(); ++column)
        book_->Text(sheet, static_cast<lxw_col_t>(column), std::string(texts[column]), book_->header);
    ++sheet.row;
}

const std::string& TCheckWorkbook::Utf8(std::string_view cp932)
{
    scratch_.clear();
    if (!AppendCp932AsUtf8(cp932, scratch_))
        undecodable_ = true;
    return scratch_;
}

void TCheckWorkbook::Win(const TCheckWin& win)
{
    Book& book = *book_;
    Sheet& sheet = book.wins;
    const std::uint32_t classIndex = result_.ClassOf(win);
    const TPrizeClass& prizeClass = definition_.classes[classIndex];
    book.Text(sheet, 0, Utf8(result_.NumberOf(win)), book.text);
    book.Text(sheet, 1, Utf8(prizeClass.label), book.text);
    book.Text(sheet, 2, Utf8(prizeClass.prize), book.text);
    if (const auto& amount = result_.Draw().amountOfClass[classIndex])
        book.Number(sheet, 3, *amount, book.yen);
    book.Text(sheet, 4, Utf8(result_.TicketOf(win)), book.text);
    ++sheet.row;
}

void TCheckWorkbook::WriteClasses()
{
    Book& book = *book_;
    Sheet& sheet = book.classes;
    for (std::size_t c = 0; c < definition_.classes.size(); ++c) {
        const TPrizeClass& prizeClass = definition_.classes[c];
        book.Text(sheet, 0, Utf8(prizeClass.label), book.text);
        book.Text(sheet, 1, std::string(MatchKindText(prizeClass)), book.text);
        book.Text(sheet, 2, Utf8(prizeClass.numbersText), book.text);
        book.Text(sheet, 3, Utf8(prizeClass.prize), book.text);
        if (const auto& amount = result_.Draw().amountOfClass[c])
            book.Number(sheet, 4, *amount, book.yen);
        book.Number(sheet, 5, result_.WinsOfClass()[c], book.count);
        ++sheet.row;
    }
}

void TCheckWorkbook::WriteTotal(Sheet& sheet, std::uint16_t noteColumn)
{
    Book& book = *book_;
    const TWinTotal& total = result_.Total();
    std::string leftOut; // the labels of won classes whose prize is no amount
    for (const std::size_t c : total.leftOut)
        leftOut += (leftOut.empty() ? "" : "、") + Utf8(definition_.classes[c].label);
    book.Text(sheet, 0, "合計", book.header);
    if (!leftOut.empty())
        book.Text(sheet, noteColumn, "金額に含まない賞: " + leftOut, book.text);
    if (total.amount)
        book.Number(sheet, noteColumn + 1, *total.amount, book.yen);
    book.Number(sheet, noteColumn + 2, total.wins, book.winCount);
    ++sheet.row;
}

void TCheckWorkbook::WriteTickets()
{
    Book& book = *book_;
    Sheet& sheet = book.tickets;
    const TCheckedDraw& draw = result_.Draw();
    const std::vector<TTicketWins> tickets = WinsByTicket(result_);
    for (std::size_t t = 0; t < tickets.size(); ++t) {
        const TTicketWins& wins = tickets[t];
        book.Text(sheet, 0, Utf8(result_.Tickets()[t]), book.text);
        book.Text(sheet, 1, Utf8(ClassesText(draw, wins)), book.text);
        // An amount is a number in yen; a prize in kind is text as the draw writes it.
        if (wins.Won() && !wins.inKind && !wins.overflow)
            book.Number(sheet, 2, wins.yen, book.yen);
        else if (wins.Won())
            book.Text(sheet, 2, Utf8(AmountText(draw, wins)), book.text);
        ++sheet.row;
    }
}

void TCheckWorkbook::WriteTicketsTotal()
{
    Book& book = *book_;
    Sheet& sheet = book.tickets;
    const TWinTotal& total = result_.Total();
    book.Text(sheet, 0, "合計", book.header);
    book.Number(sheet, 1, total.winningTickets, book.ticketCount);
    if (total.amount)
        book.Number(sheet, 2, *total.amount, book.yen);
    ++sheet.row;
}

void TCheckWorkbook::Finish(const std::function<void(std::string_view)>& write)
{
    Book& book = *book_;
    // The filter covers the header and the rows below it, not the total. Rows go out as they
    // are written, so each sheet's filter is set while its last row is still the current one.
    const auto filter = [&](Sheet& sheet, lxw_col_t lastColumn) {
        book.Check(::worksheet_autofilter(sheet.worksheet, kHeaderRow, 0, sheet.row - 1, lastColumn));
        ::worksheet_freeze_panes(sheet.worksheet, kHeaderRow + 1, 0);
    };
    filter(book.wins, 4);
    WriteTotal(book.wins, 2);
    WriteClasses();
    filter(book.classes, 5);
    WriteTotal(book.classes, 3);
    WriteTickets();
    filter(book.tickets, 2);
    WriteTicketsTotal();
    for (const Sheet* sheet : {&book.wins, &book.classes, &book.tickets}) {
        for (std::size_t column = 0; column < sheet->widths.size(); ++column)
            ::worksheet_set_column(sheet->worksheet, static_cast<lxw_col_t>(column), static_cast<lxw_col_t>(column),
                                   static_cast<double>(std::min(sheet->widths[column] + 2, kMaxColumnWidth)), nullptr);
    }
    errno = 0;
    const lxw_error closed = ::workbook_close(book.workbook);
    const int error = errno;
    book.workbook = nullptr;
    if (closed != LXW_NO_ERROR)
        book.ThrowWriteFailed(error != 0 ? error : EIO);

    std::string piece(1 << 20, '\0');
    for (off_t at = 0;;) {
        const ssize_t got = ::pread(book.fd, piece.data(), piece.size(), at);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            book.ThrowWriteFailed(errno);
        if (got == 0)
            break;
        write(std::string_view(piece.data(), static_cast<std::size_t>(got)));
        at += got;
    }
}

void SaveCheckWorkbook(const std::string& path, const TCheckResult& result)
{
    TCheckWorkbook workbook(result, path);
    for (const TCheckWin& win : result.Wins())
        workbook.Win(win);
    TSafeFileWriter file;
    file.Open(path);
    workbook.Finish([&](std::string_view bytes) { file.Write(bytes); });
    file.Commit();
}

} // namespace kelmora
