// kelmora-draw as a user runs it: results text in, a draw that kelmora-check pays from out,
// and a refused text that writes nothing.

#include "core/text/Utf8ToCp932.h"
#include "tests/cli/RunChecker.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using kelmora::test::ReadBytes;
using kelmora::test::RunCommand;
using kelmora::test::TempDir;
using kelmora::test::WriteBytes;

namespace {

std::string Sjis(std::string_view utf8)
{
    return kelmora::Utf8ToCp932(utf8, "test");
}

kelmora::test::CheckerRun RunDraw(const TempDir& dir, const std::string& arguments)
{
    return RunCommand(dir, std::string(KELMORA_DRAW) + " " + arguments);
}

const std::string kCsv =
    Sjis("A01\r\n第1025回,全国自治宝くじ（サマージャンボ宝くじ）,2025/08/18,東京都\r\n"
         "支払期間,2025/08/25～2026/08/24\r\n等級,当せん金額,組,番号\r\n"
         "1等,\"500,000,000円\",130組,173297番\r\n1等の前後賞,\"100,000,000円\",1等の前後の番号,\r\n"
         "2等,\"10,000,000円\",組下1ケタ,4組125839番\r\n3等,\"300円\",下1ケタ,7番\r\n");

} // namespace

TEST(KelmoraDraw, ADownloadedCsvBecomesADrawThatPaysTheAnnouncedWins)
{
    TempDir dir;
    WriteBytes(dir.File("results.csv"), kCsv);
    const auto made = RunDraw(dir, "results.csv -o draw.wkx");
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_NE(made.out.find("2等\t10,000,000円\tends\t4組125839"), std::string::npos) << made.out;
    EXPECT_NE(ReadBytes(dir.File("draw.wkx")).find(Sjis("EVENT=第1025回 全国自治宝くじ（サマージャンボ宝くじ）\r\n")),
              std::string::npos);

    // 1等 and 3等; 前後賞; 2等 (組下1ケタ); nothing (another 組 of a 前後 number).
    WriteBytes(dir.File("t.wkn"), Sjis("130組173297\r\n130組173298\r\n14組125839\r\n131組173296\r\n"));
    const auto checked = RunCommand(dir, std::string(KELMORA_CHECK) + " --utf8 --format=summary draw.wkx t.wkn");
    EXPECT_EQ(checked.exitCode, 0) << checked.err;
    EXPECT_NE(checked.out.find("1等\t500,000,000円\t1\n1等の前後賞\t100,000,000円\t1\n2等\t10,000,000円\t1\n"
                               "3等\t300円\t1\n合計\t610,000,300円\t4"),
              std::string::npos)
        << checked.out;

    // Without -o the same draw goes to standard output, the list to standard error.
    const auto piped = RunDraw(dir, "- < results.csv > piped.wkx");
    EXPECT_EQ(piped.exitCode, 0) << piped.err;
    EXPECT_EQ(ReadBytes(dir.File("piped.wkx")), ReadBytes(dir.File("draw.wkx")));
    EXPECT_NE(piped.err.find("1等の前後賞"), std::string::npos);
}

TEST(KelmoraDraw, APastedPageTakesTheNameGivenAndARefusedTextWritesNothing)
{
    TempDir dir;
    WriteBytes(dir.File("page.txt"), "1等\t7億円\t22組 146504番\n2等\t1,000万円\t下2ケタ 02、50\n");
    const auto named = RunDraw(dir, "--name 'My draw' - -o draw.wkx < page.txt");
    ASSERT_EQ(named.exitCode, 0) << named.err;
    EXPECT_NE(ReadBytes(dir.File("draw.wkx")).find("EVENT=My draw\r\n"), std::string::npos);

    const std::string before = ReadBytes(dir.File("draw.wkx"));
    WriteBytes(dir.File("bad.txt"), "1等\t7億円\t22組 146504番\n\n2等\t1,000万円\t22組 14650番\n");
    WriteBytes(dir.File("schedule.txt"), "1等\t7億円\t23本\n2等\t1,000万円\t46本\n");
    WriteBytes(dir.File("orphan.txt"), "1等の前後賞\t1億円\t1等の前後の番号\n");
    for (const char* text : {"bad.txt", "schedule.txt", "orphan.txt"}) {
        SCOPED_TRACE(text);
        const auto refused = RunDraw(dir, std::string(text) + " -o draw.wkx");
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_EQ(ReadBytes(dir.File("draw.wkx")), before);
        const auto toStdout = RunDraw(dir, std::string(text) + " > out.wkx");
        EXPECT_EQ(toStdout.exitCode, 1);
        EXPECT_EQ(ReadBytes(dir.File("out.wkx")), "");
        if (std::string(text) == "bad.txt") {
            EXPECT_NE(refused.err.find("line 3, \"14650番\""), std::string::npos) << refused.err;
        }
    }
    EXPECT_EQ(RunDraw(dir, "--bogus page.txt").exitCode, 2);
    EXPECT_EQ(RunDraw(dir, "").exitCode, 2);
}

TEST(KelmoraDraw, ALotoResultBecomesADrawThatPaysEachTicketItsBestClass)
{
    TempDir dir;
    WriteBytes(dir.File("loto.txt"), Sjis("第1950回 ロト6\n本数字 01 05 12 23 34 41\nボーナス数字 (07)\n"
                                          "1等 2口 200,000,000円\n2等 10,000,000円\n3等 該当なし\n4等 6,800円\n5等 1,000円\n"));
    const auto made = RunDraw(dir, "loto.txt -o draw.wkx");
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_NE(made.out.find("2等\t10,000,000円\tcount 5 bonus 1\t01 05 12 23 34 41 (07)\tline 5"), std::string::npos)
        << made.out;
    // 2等 only (not 3等 as well); 5等; nothing.
    WriteBytes(dir.File("t.wkn"), "41 34 23 12 05 07\r\n01 05 12 02 03 04\r\n07 08 09 10 11 13\r\n");
    const auto checked = RunCommand(dir, std::string(KELMORA_CHECK) + " --utf8 --format=summary draw.wkx t.wkn");
    EXPECT_EQ(checked.exitCode, 0) << checked.err;
    EXPECT_NE(checked.out.find("合計\t10,001,000円\t2"), std::string::npos) << checked.out;
}
