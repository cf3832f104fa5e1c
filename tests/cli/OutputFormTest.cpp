// Each output form of kelmora-check against a text written out by hand: a draw whose labels,
// numbers and prizes hold commas and quotes, tickets from several files and standard input.

#include "core/text/Cp932ToUtf8.h"
#include "tests/cli/RunChecker.h"
#include "tests/support/Iconv.h"
#include "tests/support/ShiftJis.h"

#include <gtest/gtest.h>

#include <random>

using kelmora::test::ReadBytes;
using kelmora::test::RunChecker;
using kelmora::test::Sjis;
using kelmora::test::TempDir;
using kelmora::test::WriteBytes;

namespace {

class OutputForms : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteBytes(dir.File("d.wkx"),
                   Sjis("[Ver]\r\nNo=3\r\nEVENT=年末\"ジャンボ\"\r\n[Hit]\r\n"
                        "Hit1=1等,前後賞\r\nNo1=123456 \"9,1\"\r\nSHO1=1,000万円\r\n"
                        "Hit2=下\"2\"桁\r\nNo2=56\r\nSHO2=300円\r\n"
                        "Hit3=記念\r\nNo3=0\r\nSHO3=粗品\r\n"));
        WriteBytes(dir.File("a.wkn"), Sjis("12組123456\r\n5,9,1\r\n"));
        WriteBytes(dir.File("in.wkn"), "7756\r\n");
        WriteBytes(dir.File("b.wkn"), "10\r\n");
    }

    TempDir dir;
};

// A report in code page 932 as --utf8 writes it: decoded as one text, with LF line ends.
std::string DecodedWhole(const std::string& cp932)
{
    std::string utf8;
    kelmora::AppendCp932AsUtf8(cp932, utf8);
    std::string lf;
    for (std::size_t i = 0; i < utf8.size(); ++i)
        if (!(utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n'))
            lf += utf8[i];
    return lf;
}

} // namespace

TEST_F(OutputForms, Csv)
{
    const std::string rows = "当選番号,等級,賞,当選したクジの番号,金額\r\n"
                             "123456,\"1等,前後賞\",\"1,000万円\",12組123456,10000000\r\n"
                             "\"9,1\",\"1等,前後賞\",\"1,000万円\",\"5,9,1\",10000000\r\n"
                             "56,\"下\"\"2\"\"桁\",300円,12組123456,300\r\n"
                             "56,\"下\"\"2\"\"桁\",300円,7756,300\r\n"
                             "0,記念,粗品,10,\r\n";
    const auto utf8 = RunChecker(dir, "--format=csv --utf8 d.wkx a.wkn - b.wkn", "< in.wkn");
    EXPECT_EQ(utf8.exitCode, 0) << utf8.err;
    EXPECT_EQ(utf8.out, "\xEF\xBB\xBF" + rows) << "UTF-8 CSV starts with a byte order mark";
    EXPECT_EQ(utf8.err, "");

    const auto sjis = RunChecker(dir, "d.wkx --format=csv a.wkn - b.wkn", "< in.wkn");
    EXPECT_EQ(sjis.exitCode, 0) << sjis.err;
    EXPECT_EQ(sjis.out, Sjis(rows));

    const auto noWins = RunChecker(dir, "--format=csv d.wkx -", "< /dev/null");
    EXPECT_EQ(noWins.out, Sjis("当選番号,等級,賞,当選したクジの番号,金額\r\n"));
}

TEST_F(OutputForms, JsonWritesUndecodableBytesAsReplacementCharacters)
{
    // FF is no character; 81 is a lead byte that the tab after it cannot complete.
    WriteBytes(dir.File("bad.wkn"),
               "\xFF"
               "0\r\n\x81\t0\r\n");
    const std::string expected =
        "{\"event\":\"年末\\\"ジャンボ\\\"\",\n"
        "\"classes\":[\n"
        "{\"label\":\"1等,前後賞\",\"numbers\":[\"123456\",\"9,1\"],\"prize\":\"1,000万円\",\"rule\":null},\n"
        "{\"label\":\"下\\\"2\\\"桁\",\"numbers\":[\"56\"],\"prize\":\"300円\",\"rule\":null},\n"
        "{\"label\":\"記念\",\"numbers\":[\"0\"],\"prize\":\"粗品\",\"rule\":null}\n"
        "],\n"
        "\"wins\":[\n"
        "{\"winning_number\":\"123456\",\"class\":1,\"label\":\"1等,前後賞\",\"prize\":\"1,000万円\",\"amount\":"
        "10000000,\"ticket\":"
        "\"12組123456\"},\n"
        "{\"winning_number\":\"9,1\",\"class\":1,\"label\":\"1等,前後賞\",\"prize\":\"1,000万円\",\"amount\":10000000,"
        "\"ticket\":\"5,9,1\"}"
        ",\n"
        "{\"winning_number\":\"56\",\"class\":2,\"label\":\"下\\\"2\\\"桁\",\"prize\":\"300円\",\"amount\":300,"
        "\"ticket\":"
        "\"12組123456\"},\n"
        "{\"winning_number\":\"56\",\"class\":2,\"label\":\"下\\\"2\\\"桁\",\"prize\":\"300円\",\"amount\":300,"
        "\"ticket\":\"7756\"},\n"
        "{\"winning_number\":\"0\",\"class\":3,\"label\":\"記念\",\"prize\":\"粗品\",\"amount\":null,\"ticket\":\"10\"}"
        ",\n"
        "{\"winning_number\":\"0\",\"class\":3,\"label\":\"記念\",\"prize\":\"粗品\",\"amount\":null,\"ticket\":"
        "\"\uFFFD0\"},\n"
        "{\"winning_number\":\"0\",\"class\":3,\"label\":\"記念\",\"prize\":\"粗品\",\"amount\":null,\"ticket\":"
        "\"\uFFFD\\u00090\"}\n"
        "]}\n";
    const auto run = RunChecker(dir, "--format=json d.wkx a.wkn - b.wkn bad.wkn", "< in.wkn");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, expected);
    const auto warning = run.err.find("U+FFFD");
    ASSERT_NE(warning, std::string::npos);
    EXPECT_EQ(run.err.find("U+FFFD", warning + 1), std::string::npos) << "one warning, not one per byte";

    const auto clean = RunChecker(dir, "--format=json d.wkx b.wkn");
    EXPECT_EQ(clean.err, "");
    EXPECT_NE(clean.out.find("\"wins\":[\n{\"winning_number\":\"0\""), std::string::npos);
}

TEST_F(OutputForms, Utf8TextHasLineFeeds)
{
    const auto run = RunChecker(dir, "--utf8 d.wkx b.wkn");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out,
              "年末\"ジャンボ\"\n\n\n"
              "1等,前後賞\n123456 \"9,1\"\n1,000万円\n\n\n"
              "下\"2\"桁\n56\n300円\n\n\n"
              "記念\n0\n粗品\n\n\n"
              "----------------------\n\n\n"
              "当選番号0\n記念に当選したクジの番号\n10\n\n\n");
}

TEST_F(OutputForms, SummaryCountsWinsAndAddsPlainAmounts)
{
    const std::string perClass = "1等,前後賞\t1,000万円\t2\n"
                                 "下\"2\"桁\t300円\t2\n";
    // A prize in kind has no amount: the total is that of the others, and says what it leaves out.
    const auto withGoods = RunChecker(dir, "--utf8 --format=summary d.wkx a.wkn - b.wkn", "< in.wkn");
    EXPECT_EQ(withGoods.exitCode, 0) << withGoods.err;
    EXPECT_EQ(withGoods.out, perClass + "記念\t粗品\t1\n合計\t20,000,600円\t5\n合計に含まない等級\t記念\n");

    const auto amounts = RunChecker(dir, "--utf8 --format=summary d.wkx a.wkn -", "< in.wkn");
    EXPECT_EQ(amounts.out, perClass + "記念\t粗品\t0\n合計\t20,000,600円\t4\n");

    // --summary follows the results log, in its encoding.
    const auto log = RunChecker(dir, "d.wkx a.wkn");
    const auto both = RunChecker(dir, "--summary d.wkx a.wkn");
    EXPECT_EQ(both.out,
              log.out +
                  Sjis("1等,前後賞\t1,000万円\t2\r\n下\"2\"桁\t300円\t1\r\n"
                       "記念\t粗品\t0\r\n合計\t20,000,300円\t3\r\n"));
}

// The UTF-8 forms are the report's own bytes decoded as one text, as the window decodes the
// log: a label that ends in a lone lead byte reads on into the text after it. Over random
// labels and prizes heavy in lead and trail bytes.
TEST(Utf8Forms, AreTheReportDecodedWhole)
{
    std::mt19937 random(2020);
    const std::string pool = "Aa1-,\"\x81\x82\x83\x88\x89\x9F\xE0\xEA\xFC\x40\x5C\x7E\x80\xA0\xB1\xDF\xFD\xFF";
    const auto text = [&](std::size_t most) {
        std::string bytes = "L";
        for (std::size_t n = std::uniform_int_distribution<std::size_t>(0, most)(random); n > 0; --n)
            bytes += pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random)];
        // Often a lone lead byte at the end.
        if (random() % 2 == 0)
            bytes += "\x82";
        return bytes;
    };
    TempDir dir;
    WriteBytes(dir.File("t.wkn"), "17\r\n\x82\xC9\x93\x96\r\n27\r\n");
    for (int round = 0; round < 60; ++round) {
        std::string draw = "[Ver]\r\nNo=2\r\nEVENT=" + text(6) + "\r\n[Hit]\r\n";
        for (int c = 1; c <= 2; ++c)
            draw += "Hit" + std::to_string(c) + "=" + text(8) + "\r\nNo" + std::to_string(c) + "=" +
                (c == 1 ? "7" : "\x93\x96") + "\r\nSHO" + std::to_string(c) + "=" + text(4) + "\r\n";
        WriteBytes(dir.File("d.wkx"), draw);
        SCOPED_TRACE(draw);
        for (const std::string form : {"", "--format=summary ", "--summary "}) {
            const auto plain = RunChecker(dir, form + "d.wkx t.wkn");
            const auto utf8 = RunChecker(dir, form + "--utf8 d.wkx t.wkn");
            ASSERT_EQ(plain.exitCode, 0) << plain.err;
            ASSERT_EQ(utf8.exitCode, 0) << utf8.err;
            EXPECT_EQ(utf8.out, DecodedWhole(plain.out)) << form;
        }
    }
}

// A report many times the size of the output's buffer: every win whole wherever a piece of it
// ends, tickets of every short length, in both encodings, to standard output and to a file.
TEST(LargeReports, KeepEveryWinWholeAcrossTheWriteBuffer)
{
    TempDir dir;
    const std::string label = "L\x82"; // a lone lead byte, read on into the heading after it
    WriteBytes(dir.File("d.wkx"), "[Ver]\r\nNo=1\r\nEVENT=e\r\n[Hit]\r\nHit1=" + label + "\r\nNo1=7\r\nSHO1=1\r\n");
    WriteBytes(dir.File("none.wkn"), "1\r\n");
    const std::string head = kelmora::test::kWinningNumber + "7\r\n" + label + kelmora::test::kWonBy + "\r\n";
    std::string tickets;
    std::string wins;
    for (int n = 0; n < 30000; ++n) {
        const std::string ticket = std::to_string(n) + std::string(static_cast<std::size_t>(n % 13), 'x') + "7";
        tickets += ticket + "\r\n";
        wins += head + ticket + "\r\n\r\n\r\n";
    }
    WriteBytes(dir.File("t.wkn"), tickets);
    const std::string expected = RunChecker(dir, "d.wkx none.wkn").out + wins;
    ASSERT_GT(expected.size(), std::size_t{1} << 20);
    EXPECT_TRUE(RunChecker(dir, "d.wkx t.wkn").out == expected);
    EXPECT_TRUE(RunChecker(dir, "--utf8 d.wkx t.wkn").out == DecodedWhole(expected));
    ASSERT_EQ(RunChecker(dir, "--utf8 d.wkx t.wkn -o r.txt").exitCode, 0);
    EXPECT_TRUE(ReadBytes(dir.File("r.txt")) == DecodedWhole(expected));
}
