// kelmora-check --format=xlsx read back by independent readers: openpyxl (Debian's
// python3-openpyxl) cell by cell, and LibreOffice where it is installed.

#include "tests/cli/RunChecker.h"
#include "tests/support/Iconv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using kelmora::test::ReadBytes;
using kelmora::test::RunChecker;
using kelmora::test::Sjis;
using kelmora::test::TempDir;
using kelmora::test::WriteBytes;

namespace {

// Every cell that holds something, one line each: sheet!cell, type (s text, n number), value
// and, for numbers, the number format; and each sheet's frozen cell and filter range.
const char* const kDumpScript = R"(
import sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1])
for sheet in book:
    print(f"{sheet.title} freeze {sheet.freeze_panes} filter {sheet.auto_filter.ref}")
    for row in sheet.iter_rows():
        for cell in row:
            if cell.value is None:
                continue
            if cell.data_type == "n":
                print(f"{sheet.title}!{cell.coordinate}\tn\t{cell.value}\t{cell.number_format}")
            else:
                print(f"{sheet.title}!{cell.coordinate}\t{cell.data_type}\t{cell.value}")
)";

// Runs a shell command in `dir`; gives its exit status.
int Shell(const TempDir& dir, const std::string& command)
{
    return kelmora::test::RunCommand(dir, command).exitCode;
}

const std::string kYen = "#,##0\"円\"";
const std::string kWins = "#,##0\"件\"";

class Workbook : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteBytes(dir.File("d.wkx"),
                   Sjis("[Ver]\r\nNo=3\r\nEVENT=年末\"ジャンボ\",第1回\r\n[Hit]\r\n"
                        "Hit1==1+1等\r\nNo1=12組345678 \"0,5\"\r\nSHO1=150,000,000円\r\n"
                        "Hit2=ＡＢＣ賞\r\nNo2=05\r\nSHO2=記念品\"特製\"\r\n"
                        "Hit3=3等\r\nNo3=999\r\nSHO3=3,000円\r\nRule3=whole\r\n"));
        WriteBytes(dir.File("t.wkn"), Sjis("12組345678\r\n10,5\r\n0005\r\n=05\r\n0012組345678\r\n777\r\n"));
        WriteBytes(dir.File("dump.py"), kDumpScript);
        // The check's time as a repeatable run gives it.
        ::setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
        ::setenv("TZ", "UTC", 1);
    }

    void TearDown() override
    {
        ::unsetenv("SOURCE_DATE_EPOCH");
        ::unsetenv("TZ");
    }

    // The workbook's cells as the dump script prints them.
    std::vector<std::string> Cells(const std::string& workbook)
    {
        EXPECT_EQ(Shell(dir, "/usr/bin/python3 dump.py " + workbook + " > cells.txt"), 0);
        std::vector<std::string> lines;
        std::ifstream in(dir.File("cells.txt"));
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    TempDir dir;
};

std::string Text(const std::string& cell, const std::string& value)
{
    return cell + "\ts\t" + value;
}

std::string Number(const std::string& cell, const std::string& value, const std::string& format)
{
    return cell + "\tn\t" + value + "\t" + format;
}

} // namespace

TEST_F(Workbook, EveryCellReadsBackAsWritten)
{
    const auto run = RunChecker(dir, "--format=xlsx d.wkx t.wkn -o wins.xlsx");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");

    std::vector<std::string> expected;
    const auto top = [&](const std::string& sheet) {
        expected.push_back(Text(sheet + "!A1", "抽せん"));
        expected.push_back(Text(sheet + "!B1", "年末\"ジャンボ\",第1回"));
        expected.push_back(Text(sheet + "!A2", "確認日時"));
        expected.push_back(Text(sheet + "!B2", "2023-11-14 22:13"));
    };
    expected.push_back("当選 freeze A5 filter A4:E9");
    top("当選");
    const char* winColumns[] = {"A", "B", "C", "D", "E"};
    const std::vector<std::string> winHeader = {"当選番号", "等級", "賞", "金額", "当選したクジの番号"};
    for (std::size_t c = 0; c < winHeader.size(); ++c)
        expected.push_back(Text(std::string("当選!") + winColumns[c] + "4", winHeader[c]));
    struct WinRow {
        std::string number, label, prize, amount, ticket;
    };
    const std::vector<WinRow> wins = {
        {"12組345678", "=1+1等", "150,000,000円", "150000000", "12組345678"},
        {"12組345678", "=1+1等", "150,000,000円", "150000000", "0012組345678"},
        {"0,5", "=1+1等", "150,000,000円", "150000000", "10,5"},
        {"05", "ＡＢＣ賞", "記念品\"特製\"", "", "0005"},
        {"05", "ＡＢＣ賞", "記念品\"特製\"", "", "=05"},
    };
    for (std::size_t r = 0; r < wins.size(); ++r) {
        const std::string row = std::to_string(r + 5);
        expected.push_back(Text("当選!A" + row, wins[r].number));
        expected.push_back(Text("当選!B" + row, wins[r].label));
        expected.push_back(Text("当選!C" + row, wins[r].prize));
        if (!wins[r].amount.empty())
            expected.push_back(Number("当選!D" + row, wins[r].amount, kYen));
        expected.push_back(Text("当選!E" + row, wins[r].ticket));
    }
    expected.push_back(Text("当選!A10", "合計"));
    expected.push_back(Text("当選!C10", "金額に含まない賞: ＡＢＣ賞"));
    expected.push_back(Number("当選!D10", "450000000", kYen));
    expected.push_back(Number("当選!E10", "5", kWins));

    expected.push_back("等級 freeze A5 filter A4:F7");
    top("等級");
    const std::vector<std::vector<std::string>> classRows = {
        {"等級", "一致", "当選番号", "賞", "金額", "当選数"},
        {"=1+1等", "下のケタが一致（文字どおり）", "12組345678 \"0,5\"", "150,000,000円", "150000000", "3"},
        {"ＡＢＣ賞", "下のケタが一致（文字どおり）", "05", "記念品\"特製\"", "", "2"},
        {"3等", "組と番号が一致", "999", "3,000円", "3000", "0"},
        {"合計", "", "", "金額に含まない賞: ＡＢＣ賞", "450000000", "5"},
    };
    const char* classColumns[] = {"A", "B", "C", "D", "E", "F"};
    for (std::size_t r = 0; r < classRows.size(); ++r) {
        const std::string row = std::to_string(r + 4);
        for (std::size_t c = 0; c < 6; ++c) {
            const std::string& value = classRows[r][c];
            const std::string cell = std::string("等級!") + classColumns[c] + row;
            if (value.empty())
                continue;
            if (r == 0 || c < 4)
                expected.push_back(Text(cell, value));
            else
                expected.push_back(Number(cell, value, c == 4 ? kYen : r == 4 ? kWins : "#,##0"));
        }
    }

    // Each ticket in ticket order: what it won, its yen or its prize; then the tickets that won.
    expected.push_back("クジごと freeze A5 filter A4:C10");
    top("クジごと");
    const std::vector<std::vector<std::string>> ticketRows = {
        {"クジの番号", "当選した等級", "金額"},
        {"12組345678", "=1+1等", "150000000"},
        {"10,5", "=1+1等", "150000000"},
        {"0005", "ＡＢＣ賞", "記念品\"特製\""},
        {"=05", "ＡＢＣ賞", "記念品\"特製\""},
        {"0012組345678", "=1+1等", "150000000"},
        {"777", "", ""},
        {"合計", "5", "450000000"},
    };
    for (std::size_t r = 0; r < ticketRows.size(); ++r)
        for (std::size_t c = 0; c < 3; ++c) {
            const std::string& value = ticketRows[r][c];
            const std::string cell = std::string("クジごと!") + classColumns[c] + std::to_string(r + 4);
            const bool number = r > 0 && c > 0 && !value.empty() && value[0] >= '0' && value[0] <= '9';
            if (!value.empty())
                expected.push_back(number ? Number(cell, value, c == 1 ? "#,##0\"枚\"" : kYen) : Text(cell, value));
        }
    EXPECT_EQ(Cells("wins.xlsx"), expected);
}

TEST_F(Workbook, GoesToAFileOrAPipeNeverToATerminal)
{
    // A failed run leaves the old file as it was.
    WriteBytes(dir.File("wins.xlsx"), "old");
    EXPECT_EQ(RunChecker(dir, "--format=xlsx d.wkx t.wkn none.wkn -o wins.xlsx").exitCode, 1);
    EXPECT_EQ(ReadBytes(dir.File("wins.xlsx")), "old");
    ASSERT_EQ(RunChecker(dir, "--format=xlsx d.wkx t.wkn -o wins.xlsx").exitCode, 0);
    EXPECT_TRUE(ReadBytes(dir.File("wins.xlsx")).starts_with("PK"));
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".kelmora")) << "no temporary file stays";

    const auto piped = RunChecker(dir, "--format=xlsx d.wkx t.wkn", "| cat > piped.xlsx");
    EXPECT_EQ(piped.exitCode, 0) << piped.err;
    EXPECT_EQ(Cells("piped.xlsx"), Cells("wins.xlsx"));

    // script(1) gives the program a terminal as its standard output.
    EXPECT_EQ(Shell(dir, "script -qec '" KELMORA_CHECK " --format=xlsx d.wkx t.wkn' /dev/null > tty.txt"), 2)
        << ReadBytes(dir.File("tty.txt"));
    EXPECT_NE(ReadBytes(dir.File("tty.txt")).find("-o FILE.xlsx"), std::string::npos);
}

TEST_F(Workbook, LibreOfficeShowsEveryJapaneseText)
{
    if (std::system("command -v soffice > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    ASSERT_EQ(RunChecker(dir, "--format=xlsx d.wkx t.wkn -o wins.xlsx").exitCode, 0);
    // The first sheet as UTF-8 CSV (filter options: comma, quote, UTF-8).
    ASSERT_EQ(Shell(dir,
                    "HOME=\"$PWD\" soffice -env:UserInstallation=file://$PWD/profile --headless --convert-to "
                    "'csv:Text - txt - csv (StarCalc):44,34,76' --outdir out wins.xlsx > /dev/null"),
              0);
    const std::string csv = ReadBytes(dir.File("out/wins.csv"));
    for (const char* text : {"抽せん", "年末\"\"ジャンボ\"\",第1回", "当選したクジの番号", "=1+1等", "12組345678",
                             "0012組345678", "ＡＢＣ賞", "記念品\"\"特製\"\"", "=05", "0005", "合計"})
        EXPECT_NE(csv.find(text), std::string::npos) << text << "\n" << csv;
}

// What a cell cannot hold: an amount past 2^53, which a number cell would round, goes in as its
// digits; a ticket longer than a cell's 32,767 characters is cut with its end marked. Neither
// fails the workbook, and a full output names the file, with nothing of the library's own.
TEST_F(Workbook, WhatACellCannotHoldIsWrittenExactOrMarkedAsCut)
{
    WriteBytes(dir.File("big.wkx"), Sjis("[Ver]\r\nNo=1\r\n[Hit]\r\nHit1=1等\r\nNo1=5\r\nSHO1=9007199254740993円\r\n"));
    WriteBytes(dir.File("long.wkn"), std::string(40000, '5') + "\r\n");
    const auto run = RunChecker(dir, "--format=xlsx big.wkx long.wkn -o big.xlsx");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> cells = Cells("big.xlsx");
    const auto has = [&](const std::string& line) { return std::find(cells.begin(), cells.end(), line) != cells.end(); };
    for (const char* cell : {"当選!D5", "当選!D6", "等級!E5", "等級!E6"})
        EXPECT_TRUE(has(Text(cell, "9007199254740993"))) << cell;
    EXPECT_TRUE(has(Text("当選!E5", std::string(32766, '5') + "…")));

    const auto full = RunChecker(dir, "--format=xlsx big.wkx long.wkn -o /dev/full");
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_EQ(full.err, "kelmora-check: error writing the file /dev/full: no space left on the device\n");
}

// The total row of each sheet says what the summary says: the amount (none past 2^64 - 1), the
// wins, and every class it leaves out.
TEST_F(Workbook, TheTotalRowsSayWhatTheSummarySays)
{
    struct Case {
        const char* draw;
        std::string amountCell; // the 当選 sheet's total amount, or empty
        std::string leftOut;
    };
    const std::vector<Case> cases = {
        {"Hit1=A\r\nNo1=1\r\nSHO1=10000000000000000000円\r\nHit2=B\r\nNo2=11\r\nSHO2=9000000000000000000円\r\n", "", ""},
        {"Hit1=A\r\nNo1=1\r\nSHO1=記念品\r\nHit2=B\r\nNo2=11\r\nSHO2=切手\r\n", "0", "金額に含まない賞: A、B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.draw);
        WriteBytes(dir.File("total.wkx"), Sjis(std::string("[Ver]\r\nNo=2\r\n[Hit]\r\n") + c.draw));
        WriteBytes(dir.File("total.wkn"), "11\r\n");
        ASSERT_EQ(RunChecker(dir, "--format=xlsx total.wkx total.wkn -o total.xlsx").exitCode, 0);
        const auto cells = Cells("total.xlsx");
        const auto has = [&](const std::string& cell) { return std::find(cells.begin(), cells.end(), cell) != cells.end(); };
        EXPECT_TRUE(has(Number("当選!E7", "2", kWins)));
        EXPECT_EQ(has(Number("当選!D7", c.amountCell, kYen)), !c.amountCell.empty());
        EXPECT_EQ(has(Text("当選!C7", c.leftOut)), !c.leftOut.empty());
        EXPECT_EQ(has(Text("等級!D7", c.leftOut)), !c.leftOut.empty());
        const auto summary = RunChecker(dir, "--utf8 --format=summary total.wkx total.wkn");
        EXPECT_NE(summary.out.find("合計\t" + std::string(c.amountCell.empty() ? "" : "0円") + "\t2\n"), std::string::npos)
            << summary.out;
    }
}
