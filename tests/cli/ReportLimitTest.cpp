// Bytes and amounts at the edges of what kelmora-check's output forms must carry: a backslash,
// alone and as the second byte of a Shift-JIS character, and prize totals near 2^64.

#include "tests/cli/RunChecker.h"
#include "tests/support/ShiftJis.h"

#include <gtest/gtest.h>

using kelmora::test::kHyou;
using kelmora::test::RunChecker;
using kelmora::test::TempDir;
using kelmora::test::WriteBytes;

TEST(JsonEscapes, BackslashesAloneAndAsTrailBytesComeOutAsJsonText)
{
    TempDir dir;
    WriteBytes(dir.File("d.wkx"),
               "[Ver]\r\nNo=1\r\nEVENT=a\\b\r\n[Hit]\r\nHit1=" + kHyou + "\r\nNo1=12 " + kHyou + "\r\nSHO1=\\100\r\n");
    WriteBytes(dir.File("t.wkn"), kHyou + "12\r\na\\b12\r\nA" + kHyou + "\r\n");
    const auto run = RunChecker(dir, "--format=json d.wkx t.wkn");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    // 表 is one character in UTF-8, with nothing to escape; an ASCII backslash is escaped. (The
    // byte 5C before digits is the yen sign of code page 932: an amount.)
    const std::string win = ",\"class\":1,\"label\":\"表\",\"prize\":\"\\\\100\",\"amount\":100,\"ticket\":";
    EXPECT_EQ(run.out,
              "{\"event\":\"a\\\\b\",\n"
              "\"classes\":[\n"
              "{\"label\":\"表\",\"numbers\":[\"12\",\"表\"],\"prize\":\"\\\\100\",\"rule\":null}\n"
              "],\n"
              "\"wins\":[\n"
              "{\"winning_number\":\"12\"" +
                  win + "\"表12\"},\n" + "{\"winning_number\":\"12\"" + win + "\"a\\\\b12\"},\n" +
                  "{\"winning_number\":\"表\"" + win + "\"A表\"}\n" + "]}\n");
}

namespace {

std::string TwoClassDraw(const std::string& prize1, const std::string& prize2)
{
    // 円 closes a plain amount.
    return "[Ver]\r\nNo=2\r\nEVENT=e\r\n[Hit]\r\nHit1=A\r\nNo1=1\r\nSHO1=" + prize1 +
        "\x89\x7E\r\nHit2=B\r\nNo2=2\r\nSHO2=" + prize2 + "\x89\x7E\r\n";
}

} // namespace

TEST(SummaryTotal, AnAmountPastTwoToTheSixtyFourIsLeftOutRatherThanWrapped)
{
    TempDir dir;
    const std::string largest = "18,446,744,073,709,551,615"; // 2^64 - 1
    const std::string tenE18 = "10,000,000,000,000,000,000";
    WriteBytes(dir.File("max.wkx"), TwoClassDraw(largest, "1"));
    WriteBytes(dir.File("sum.wkx"), TwoClassDraw(tenE18, tenE18));
    WriteBytes(dir.File("one.wkn"), "1\r\n");
    WriteBytes(dir.File("both.wkn"), "1\r\n2\r\n");
    WriteBytes(dir.File("twice.wkn"), "1\r\n1\r\n");

    // The largest total there is still comes out whole.
    const auto fits = RunChecker(dir, "--utf8 --format=summary max.wkx one.wkn");
    EXPECT_EQ(fits.exitCode, 0) << fits.err;
    EXPECT_EQ(fits.out, "A\t" + largest + "円\t1\nB\t1円\t0\n合計\t" + largest + "円\t1\n");

    // One more yen, by adding classes or by multiplying a class's wins, has no total amount.
    const auto added = RunChecker(dir, "--utf8 --format=summary max.wkx both.wkn");
    EXPECT_EQ(added.out, "A\t" + largest + "円\t1\nB\t1円\t1\n合計\t\t2\n");
    const auto sum = RunChecker(dir, "--utf8 --format=summary sum.wkx both.wkn");
    EXPECT_EQ(sum.out, "A\t" + tenE18 + "円\t1\nB\t" + tenE18 + "円\t1\n合計\t\t2\n");
    const auto multiplied = RunChecker(dir, "--utf8 --format=summary sum.wkx twice.wkn");
    EXPECT_EQ(multiplied.out, "A\t" + tenE18 + "円\t2\nB\t" + tenE18 + "円\t0\n合計\t\t2\n");
}
