// The batch checker as a user runs it: the results log's bytes, its command line, errors and
// exit codes.

#include "core/check/CheckState.h"
#include "core/check/WinningCheck.h"
#include "core/draw/LotteryDefinition.h"
#include "core/draw/TicketList.h"
#include "tests/cli/RunChecker.h"
#include "tests/support/RandomDigits.h"
#include "tests/support/ShiftJis.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

using namespace kelmora::test;

using kelmora::test::RunChecker;
using kelmora::test::TempDir;
using kelmora::test::WriteBytes;

namespace {

const std::string kDraw = "[Ver]\r\nNo=1\r\nEVENT=E\r\n[Hit]\r\nHit1=H\r\nNo1=7\r\nSHO1=P\r\n";
const std::string kSummary = "E\r\n\r\n\r\nH\r\n7\r\nP\r\n\r\n\r\n----------------------\r\n\r\n\r\n";

std::string Win(const std::string& number, const std::string& ticket)
{
    return kWinningNumber + number + "\r\nH" + kWonBy + "\r\n" + ticket + "\r\n\r\n\r\n";
}

} // namespace

TEST(KelmoraCheck, PrintsTheResultsLog)
{
    TempDir dir;
    WriteBytes(dir.File("d.wkx"), kDraw);
    WriteBytes(dir.File("t.wkn"), "17\r\n18\r\n");
    const std::string expected = kSummary + Win("7", "17");
    const auto printed = RunChecker(dir, "d.wkx t.wkn");
    EXPECT_EQ(printed.exitCode, 0);
    EXPECT_EQ(printed.out, expected);
    EXPECT_EQ(printed.err, "");

    const auto written = RunChecker(dir, "d.wkx t.wkn -o r.txt");
    EXPECT_EQ(written.exitCode, 0);
    EXPECT_EQ(written.out, "");
    EXPECT_EQ(kelmora::test::ReadBytes(dir.File("r.txt")), expected);
}

TEST(KelmoraCheck, SeveralTicketFilesAndStandardInputAreOneList)
{
    TempDir dir;
    WriteBytes(dir.File("d.wkx"), kDraw);
    WriteBytes(dir.File("a.wkn"), "27\r\n20\r\n37"); // no line break after the last line
    WriteBytes(dir.File("b.wkn"), "47\n");
    WriteBytes(dir.File("in.wkn"), "57\r\n");
    const auto run = RunChecker(dir, "d.wkx a.wkn - b.wkn a.wkn", "< in.wkn");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out,
              kSummary + Win("7", "27") + Win("7", "37") + Win("7", "57") + Win("7", "47") + Win("7", "27") +
                  Win("7", "37"));

    const auto piped = RunChecker(dir, "d.wkx -", "< a.wkn");
    EXPECT_EQ(piped.out, kSummary + Win("7", "27") + Win("7", "37"));
    const auto fromPipe = RunChecker(dir, "d.wkx - | cat", "");
    EXPECT_EQ(fromPipe.exitCode, 0);
}

// Whatever the draw and the files, the output is the log of the window's check.
TEST(KelmoraCheck, AgreesWithTheWindowsCheckOnRandomDraws)
{
    std::mt19937 random(1207);
    const std::string parts[] = {"0", "1", "2", "\x91\x67", "\x82\xA0", ",", " ", "\"", "\x80", "\xFF"};
    const auto text = [&](int maxParts) {
        std::string t;
        for (int i = std::uniform_int_distribution<int>(0, maxParts)(random); i > 0; --i)
            t += parts[std::uniform_int_distribution<std::size_t>(0, std::size(parts) - 1)(random)];
        return t;
    };
    TempDir dir;
    for (int round = 0; round < 20; ++round) {
        std::string draw = "[Ver]\r\nNo=3\r\nEVENT=" + text(3) + "\r\n[Hit]\r\n";
        for (int c = 1; c <= 3; ++c)
            draw += "Hit" + std::to_string(c) + "=" + text(3) + "\r\nNo" + std::to_string(c) + "=1" + text(12) +
                "\r\nSHO" + std::to_string(c) + "=" + text(3) + "\r\n";
        WriteBytes(dir.File("d.wkx"), draw);
        std::string files[2];
        for (std::string& file : files)
            for (int j = std::uniform_int_distribution<int>(0, 40)(random); j > 0; --j)
                file += text(6) + "\r\n";
        WriteBytes(dir.File("a.wkn"), files[0]);
        WriteBytes(dir.File("b.wkn"), files[1]);
        WriteBytes(dir.File("all.wkn"), files[0] + files[1]);

        kelmora::TCheckState state;
        kelmora::ApplyDefinition(kelmora::LoadDefinition(dir.File("d.wkx")), state);
        state.ticketList.Open(dir.File("all.wkn"));
        kelmora::RunCheckPlain(state.WinningTable(), state.ticketList, state.resultLog);

        const auto run = RunChecker(dir, "d.wkx a.wkn b.wkn");
        ASSERT_EQ(run.exitCode, 0) << run.err;
        ASSERT_EQ(run.out, state.resultLog.Text()) << "round " << round;
    }
}

TEST(KelmoraCheck, ErrorsAndUsage)
{
    TempDir dir;
    WriteBytes(dir.File("t.wkn"), "1\r\n");
    const auto missingDraw = RunChecker(dir, "none.wkx t.wkn");
    EXPECT_EQ(missingDraw.exitCode, 1);
    EXPECT_EQ(missingDraw.err, "kelmora-check: cannot open the file " + dir.File("none.wkx") + "\n");
    EXPECT_EQ(missingDraw.out, "");

    WriteBytes(dir.File("d.wkx"), kDraw);
    const auto missingTickets = RunChecker(dir, "d.wkx t.wkn none.wkn");
    EXPECT_EQ(missingTickets.exitCode, 1);
    EXPECT_EQ(missingTickets.out, "") << "nothing is printed before every input was read";
    EXPECT_EQ(RunChecker(dir, "d.wkx t.wkn -o no/r.txt").exitCode, 1);

    for (const char* wrong :
         {"", "d.wkx", "d.wkx t.wkn -o", "--bogus d.wkx t.wkn", "-x d.wkx t.wkn", "--format=xml d.wkx t.wkn",
          "--format=csv --summary d.wkx t.wkn", "d.wkx t.wkn -o a -o b"}) {
        const auto run = RunChecker(dir, wrong);
        EXPECT_EQ(run.exitCode, 2) << wrong;
        EXPECT_NE(run.err.find("usage: kelmora-check"), std::string::npos) << wrong;
    }
    const auto help = RunChecker(dir, "d.wkx --help");
    EXPECT_EQ(help.exitCode, 0);
    for (const char* shown : {"usage: kelmora-check", "--utf8", "--format=csv", "--format=json", "--summary",
                              "--format=summary", "Exit status"})
        EXPECT_NE(help.out.find(shown), std::string::npos) << shown;
}

// After "--" every argument is a file name, even one that looks like an option.
TEST(KelmoraCheck, DoubleDashEndsTheOptions)
{
    TempDir dir;
    WriteBytes(dir.File("d.wkx"), kDraw);
    WriteBytes(dir.File("--help"), "17\r\n");
    WriteBytes(dir.File("-o"), "27\r\n");
    const auto run = RunChecker(dir, "d.wkx -- --help -o");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, kSummary + Win("7", "17") + Win("7", "27"));

    const auto missing = RunChecker(dir, "d.wkx -- --utf8");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find(dir.File("--utf8")), std::string::npos);
}

// A report that does not reach its reader is a failure, whatever stopped it.
TEST(KelmoraCheck, AClosedOrFullStandardOutputIsAnError)
{
    TempDir dir;
    WriteBytes(dir.File("d.wkx"), kDraw);
    WriteBytes(dir.File("t.wkn"), "17\r\n");
    const auto closed = RunChecker(dir, "d.wkx t.wkn", ">&-");
    EXPECT_EQ(closed.exitCode, 1);
    EXPECT_NE(closed.err.find("error writing to standard output: "), std::string::npos);
    EXPECT_EQ(RunChecker(dir, "d.wkx t.wkn", "> /dev/full").exitCode, 1);
    EXPECT_EQ(RunChecker(dir, "--format=json d.wkx t.wkn", "> /dev/full").exitCode, 1);

    // With stdout closed, the output file must not take its place and get the report twice.
    const auto toFile = RunChecker(dir, "d.wkx t.wkn -o r.txt", ">&-");
    EXPECT_EQ(toFile.exitCode, 0) << toFile.err;
    EXPECT_EQ(kelmora::test::ReadBytes(dir.File("r.txt")), kSummary + Win("7", "17"));

    // A reader that stops early: the checker fails instead of dying from the signal.
    std::string many;
    for (int j = 0; j < 200000; ++j)
        many += "17\r\n";
    WriteBytes(dir.File("many.wkn"), many);
    const std::string command = "cd '" + dir.Path().string() + "' && { " + KELMORA_CHECK +
        " d.wkx many.wkn 2>err; echo $? > status; } | head -c 10 > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(kelmora::test::ReadBytes(dir.File("status")), "1\n");
    EXPECT_NE(kelmora::test::ReadBytes(dir.File("err")).find("error writing to standard output: the reader has gone"),
              std::string::npos);
}

// A draw of 88,200 numbers (a file of about 800 KB, which the checker prepares its memory for,
// and a table too large for the trie) written with -o: the plain loop's bytes.
TEST(KelmoraCheck, ALargeDrawToAFile)
{
    std::mt19937 random(1208);
    const auto digits = [&](std::size_t count) { return kelmora::test::RandomDigits(random, count); };
    constexpr int kClasses = 3000;
    std::string draw = "[Ver]\r\nNo=" + std::to_string(kClasses) + "\r\nEVENT=big\r\n[Hit]\r\n";
    for (int c = 1; c <= kClasses; ++c) {
        std::string numbers;
        // Within the 255 bytes a value may have.
        for (int n = 0; n < (c % 10 == 0 ? 24 : 30); ++n)
            numbers += (n ? " " : "") + digits(c % 10 == 0 ? 9 : 6);
        draw += "Hit" + std::to_string(c) + "=C" + std::to_string(c) + "\r\nNo" + std::to_string(c) + "=" + numbers +
            "\r\nSHO" + std::to_string(c) + "=1\r\n";
    }
    std::string tickets;
    for (int j = 0; j < 400; ++j)
        tickets += digits(2) + "\x91\x67" + digits(7) + "\r\n";
    TempDir dir;
    WriteBytes(dir.File("d.wkx"), draw);
    WriteBytes(dir.File("t.wkn"), tickets);
    WriteBytes(dir.File("out.txt"), "old");

    kelmora::TCheckState state;
    kelmora::ApplyDefinition(kelmora::LoadDefinition(dir.File("d.wkx")), state);
    ASSERT_EQ(state.WinningTable().Count(), 88200u);
    state.ticketList.Open(dir.File("t.wkn"));
    kelmora::RunCheckPlain(state.WinningTable(), state.ticketList, state.resultLog);

    const auto run = RunChecker(dir, "d.wkx t.wkn -o out.txt");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(kelmora::test::ReadBytes(dir.File("out.txt")), state.resultLog.Text());
    EXPECT_NE(state.resultLog.Text().find("\x8D\x86"), std::string::npos);
}
