// What kelmora-check reads: UTF-8 tickets where asked, UTF-8 draws by their byte order mark,
// and a draw from which no class is read refused rather than reported as "nothing won".

#include "tests/cli/RunChecker.h"
#include "tests/support/Iconv.h"

#include <gtest/gtest.h>

using kelmora::test::RunChecker;
using kelmora::test::Sjis;
using kelmora::test::TempDir;
using kelmora::test::WriteBytes;

namespace {

const std::string kDrawText = "[Ver]\r\nNo=2\r\nEVENT=年末ジャンボ\r\n[Hit]\r\n"
                              "Hit1=1等\r\nNo1=12組345678\r\nSHO1=7億円\r\n"
                              "Hit2=ｶﾅ賞\r\nNo2=①\r\nSHO2=記念品\r\n";

// The UTF-8 report of one win of 1等.
std::string FirstClassWin(const std::string& ticket)
{
    return "当選番号12組345678\n1等に当選したクジの番号\n" + ticket + "\n\n\n";
}

class InputEncoding : public ::testing::Test {
protected:
    void SetUp() override { WriteBytes(dir.File("draw.wkx"), Sjis(kDrawText)); }

    std::string Summary() const
    {
        return "年末ジャンボ\n\n\n1等\n12組345678\n7億円\n\n\nｶﾅ賞\n①\n記念品\n\n\n----------------------\n\n\n";
    }

    TempDir dir;
};

} // namespace

TEST_F(InputEncoding, Utf8StandardInputWithUtf8Output)
{
    // As a UTF-8 shell types it.
    WriteBytes(dir.File("typed.wkn"), "12組345678\n0012組345678\n");
    const auto piped = RunChecker(dir, "--utf8 draw.wkx -", "< typed.wkn");
    EXPECT_EQ(piped.exitCode, 0) << piped.err;
    EXPECT_EQ(piped.out, Summary() + FirstClassWin("12組345678") + FirstClassWin("0012組345678"));

    // Shift-JIS bytes are no UTF-8: the line that holds them is named.
    WriteBytes(dir.File("sjis.wkn"), "1\r\n" + Sjis("12組345678") + "\r\n");
    const auto wrong = RunChecker(dir, "--utf8 draw.wkx -", "< sjis.wkn");
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_EQ(wrong.out, "");
    EXPECT_EQ(wrong.err, "kelmora-check: standard input, line 2: the bytes are not UTF-8\n");

    // A character Shift-JIS lacks cannot be a ticket number.
    WriteBytes(dir.File("emoji.wkn"), "1\n2\r3\r\n\xF0\x9F\x8E\xB0\n");
    const auto lacking = RunChecker(dir, "--utf8 draw.wkx -", "< emoji.wkn");
    EXPECT_EQ(lacking.exitCode, 1);
    EXPECT_EQ(lacking.err,
              "kelmora-check: standard input, line 4: the character '\xF0\x9F\x8E\xB0' has no "
              "Shift-JIS form\n");
}

TEST_F(InputEncoding, TheEncodingOptionCoversTicketFiles)
{
    // A UTF-8 file as editors write it: byte order mark, CR LF.
    WriteBytes(dir.File("utf8.wkn"),
               "\xEF\xBB\xBF"
               "12組345678\r\nｶﾅ①\r\n");
    const auto asUtf8 = RunChecker(dir, "--utf8 --input-encoding=utf-8 draw.wkx utf8.wkn");
    EXPECT_EQ(asUtf8.exitCode, 0) << asUtf8.err;
    EXPECT_EQ(asUtf8.out, Summary() + FirstClassWin("12組345678") + "当選番号①\nｶﾅ賞に当選したクジの番号\nｶﾅ①\n\n\n");
    // Files stay Shift-JIS without the option: these bytes win nothing.
    const auto asSjis = RunChecker(dir, "--utf8 draw.wkx utf8.wkn");
    EXPECT_EQ(asSjis.out, Summary());

    // And standard input can be told to stay Shift-JIS under --utf8.
    WriteBytes(dir.File("sjis.wkn"), Sjis("12組345678\r\n"));
    const auto sjisIn = RunChecker(dir, "--utf8 --input-encoding=shift-jis draw.wkx -", "< sjis.wkn");
    EXPECT_EQ(sjisIn.out, Summary() + FirstClassWin("12組345678"));
    EXPECT_EQ(RunChecker(dir, "--input-encoding=latin1 draw.wkx -").exitCode, 2);
}

TEST_F(InputEncoding, AUtf8DrawWithAByteOrderMarkReadsAsItsShiftJisTwin)
{
    WriteBytes(dir.File("t.wkn"), Sjis("12組345678\r\nｶﾅ①\r\n"));
    WriteBytes(dir.File("utf8.wkx"), "\xEF\xBB\xBF" + kDrawText);
    const auto sjis = RunChecker(dir, "draw.wkx t.wkn");
    const auto utf8 = RunChecker(dir, "utf8.wkx t.wkn");
    EXPECT_EQ(utf8.exitCode, 0) << utf8.err;
    EXPECT_EQ(utf8.out, sjis.out);
    EXPECT_NE(utf8.out.find(Sjis("ｶﾅ①")), std::string::npos);

    WriteBytes(dir.File("lacking.wkx"), "\xEF\xBB\xBF[Ver]\nNo=1\nEVENT=\xE0\xB8\x81\n[Hit]\nHit1=1\nNo1=1\nSHO1=1\n");
    const auto lacking = RunChecker(dir, "lacking.wkx t.wkn");
    EXPECT_EQ(lacking.exitCode, 1);
    EXPECT_EQ(lacking.out, "");
    EXPECT_EQ(lacking.err,
              "kelmora-check: " + dir.File("lacking.wkx") +
                  ", line 3: the character '\xE0\xB8\x81' has no Shift-JIS form\n");
}

TEST_F(InputEncoding, ADrawThatDefinesNothingIsAnError)
{
    WriteBytes(dir.File("t.wkn"), Sjis("12組345678\r\n"));
    WriteBytes(dir.File("empty.wkx"), "");
    WriteBytes(dir.File("none.wkx"), "[Ver]\r\nNo=0\r\nEVENT=E\r\n[Hit]\r\nHit1=H\r\nNo1=8\r\nSHO1=P\r\n");
    for (const char* draw : {"empty.wkx", "none.wkx", "t.wkn"}) {
        const auto run = RunChecker(dir, std::string(draw) + " draw.wkx");
        EXPECT_EQ(run.exitCode, 1) << draw;
        EXPECT_EQ(run.out, "") << draw;
        EXPECT_EQ(run.err,
                  "kelmora-check: " + dir.File(draw) +
                      " defines no prize class; a draw (.wkx) is expected, with the number of classes in "
                      "[Ver] No= and each class's Hit, No and SHO in [Hit]\n");
    }
}
