// CSV that a spreadsheet opens safely: no field runs as a formula unless --raw asks for the
// data as it is, and UTF-8 CSV announces itself with a byte order mark.

#include "tests/cli/RunChecker.h"
#include "tests/support/Iconv.h"

#include <gtest/gtest.h>

#include <vector>

using kelmora::test::RunChecker;
using kelmora::test::Sjis;
using kelmora::test::TempDir;
using kelmora::test::WriteBytes;

namespace {

using Row = std::vector<std::string>;

// The rows of CR LF CSV with quoted fields, as a spreadsheet splits them.
std::vector<Row> ParseCsv(const std::string& text)
{
    std::vector<Row> rows(1, Row(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                rows.back().back() += '"', ++i;
            else if (c == '"')
                quoted = false;
            else
                rows.back().back() += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            rows.back().emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            rows.emplace_back(1);
            ++i;
        } else {
            rows.back().back() += c;
        }
    }
    EXPECT_EQ(rows.back(), Row(1)) << "the last row ends with CR LF";
    rows.pop_back();
    return rows;
}

// Winning number, label, prize and ticket lead a row; the amount follows them.
void ExpectWins(const std::string& csv, const std::vector<Row>& expected)
{
    const auto rows = ParseCsv(csv);
    ASSERT_EQ(rows.size(), expected.size() + 1);
    for (std::size_t r = 0; r < expected.size(); ++r) {
        const Row& row = rows[r + 1];
        ASSERT_GE(row.size(), 4u);
        EXPECT_EQ(Row({row[0], row[1], row[2], row[3]}), expected[r]) << "row " << r + 1;
    }
}

class CsvGuard : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Values lose blanks and tabs at their ends when read, so a tab only leads a ticket.
        WriteBytes(dir.File("d.wkx"),
                   Sjis("[Ver]\r\nNo=2\r\nEVENT=E\r\n[Hit]\r\n"
                        "Hit1=+1等\r\nNo1=-5\r\nSHO1==HYPERLINK(\"http://example.invalid/\",\"賞金\")\r\n"
                        "Hit2=@2等\r\nNo2=7\r\nSHO2=300円\r\n"));
        WriteBytes(dir.File("t.wkn"), "A-5\r\n\t7\r\n=7\r\n17\r\n");
    }

    TempDir dir;
};

} // namespace

TEST_F(CsvGuard, FieldsThatWouldRunGetALeadingApostrophe)
{
    const auto run = RunChecker(dir, "--format=csv d.wkx t.wkn");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ExpectWins(run.out,
               {{"'-5", Sjis("'+1等"), Sjis("'=HYPERLINK(\"http://example.invalid/\",\"賞金\")"), "A-5"},
                {"7", Sjis("'@2等"), Sjis("300円"), "'\t7"},
                {"7", Sjis("'@2等"), Sjis("300円"), "'=7"},
                {"7", Sjis("'@2等"), Sjis("300円"), "17"}});
}

TEST_F(CsvGuard, RawKeepsTheFieldsExactly)
{
    const auto run = RunChecker(dir, "--format=csv --raw d.wkx t.wkn");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ExpectWins(run.out,
               {{"-5", Sjis("+1等"), Sjis("=HYPERLINK(\"http://example.invalid/\",\"賞金\")"), "A-5"},
                {"7", Sjis("@2等"), Sjis("300円"), "\t7"},
                {"7", Sjis("@2等"), Sjis("300円"), "=7"},
                {"7", Sjis("@2等"), Sjis("300円"), "17"}});
    for (const char* alone : {"--raw d.wkx t.wkn", "--format=json --raw d.wkx t.wkn", "--no-bom d.wkx t.wkn"})
        EXPECT_EQ(RunChecker(dir, alone).exitCode, 2) << alone;
}

TEST_F(CsvGuard, Utf8CsvStartsWithAByteOrderMark)
{
    const std::string bom = "\xEF\xBB\xBF";
    const auto utf8 = RunChecker(dir, "--format=csv --utf8 d.wkx t.wkn");
    ASSERT_EQ(utf8.exitCode, 0) << utf8.err;
    ASSERT_TRUE(utf8.out.starts_with(bom + "当選番号,"));
    ExpectWins(utf8.out.substr(bom.size()),
               {{"'-5", "'+1等", "'=HYPERLINK(\"http://example.invalid/\",\"賞金\")", "A-5"},
                {"7", "'@2等", "300円", "'\t7"},
                {"7", "'@2等", "300円", "'=7"},
                {"7", "'@2等", "300円", "17"}});

    const auto noBom = RunChecker(dir, "--format=csv --utf8 --no-bom d.wkx t.wkn");
    EXPECT_EQ(noBom.out, utf8.out.substr(bom.size()));
    const auto sjis = RunChecker(dir, "--format=csv d.wkx t.wkn");
    EXPECT_TRUE(sjis.out.starts_with(Sjis("当選番号,"))) << "Shift-JIS has no byte order mark";
}

TEST_F(CsvGuard, TheTicketsFormIsGuardedAndEncodedAsTheCsvIs)
{
    for (const bool utf8 : {false, true}) {
        const auto run = RunChecker(dir, utf8 ? "--format=tickets --utf8 d.wkx t.wkn" : "--format=tickets d.wkx t.wkn");
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const auto text = [&](const std::string& utf8Text) { return utf8 ? utf8Text : Sjis(utf8Text); };
        const std::string start = text(std::string(utf8 ? "\xEF\xBB\xBF" : "") + "クジの番号,当選した等級,金額\r\n");
        ASSERT_TRUE(run.out.starts_with(start)) << run.out;
        // Ticket order; a prize in kind is its prize as written, guarded like any field.
        EXPECT_EQ(ParseCsv(run.out.substr(start.size())),
                  (std::vector<Row>{{"A-5", text("'+1等"), text("'=HYPERLINK(\"http://example.invalid/\",\"賞金\")")},
                                    {"'\t7", text("'@2等"), "300"},
                                    {"'=7", text("'@2等"), "300"},
                                    {"17", text("'@2等"), "300"}}));
    }
}
