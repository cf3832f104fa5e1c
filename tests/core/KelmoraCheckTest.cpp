// The batch checker as a user runs it: its output, its errors and exit codes.

#include "tests/core/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

namespace {

struct Result {
    int exitCode;
    std::string out;
};

Result RunChecker(const std::string& arguments)
{
    const std::string command = std::string(KELMORA_CHECK) + " " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

} // namespace

TEST(KelmoraCheck, PrintsTheResultsLog)
{
    kelmora::test::TempDir dir;
    kelmora::test::WriteBytes(dir.File("d.wkx"), "[Ver]\r\nNo=1\r\nEVENT=E\r\n[Hit]\r\nHit1=H\r\nNo1=7\r\nSHO1=P\r\n");
    kelmora::test::WriteBytes(dir.File("t.wkn"), "17\r\n18\r\n");
    const std::string expected = "E\r\n\r\n\r\nH\r\n7\r\nP\r\n\r\n\r\n----------------------\r\n\r\n\r\n"
                                 "\x93\x96\x91\x49\x94\xD4\x8D\x86" "7\r\nH"
                                 "\x82\xC9\x93\x96\x91\x49\x82\xB5\x82\xBD\x83\x4E\x83\x57\x82\xCC\x94\xD4\x8D\x86"
                                 "\r\n17\r\n\r\n\r\n";
    const auto printed = RunChecker(dir.File("d.wkx") + " " + dir.File("t.wkn"));
    EXPECT_EQ(printed.exitCode, 0);
    EXPECT_EQ(printed.out, expected);

    const auto written = RunChecker(dir.File("d.wkx") + " " + dir.File("t.wkn") + " -o " + dir.File("r.txt"));
    EXPECT_EQ(written.exitCode, 0);
    EXPECT_EQ(written.out, "");
    EXPECT_EQ(kelmora::test::ReadBytes(dir.File("r.txt")), expected);
}

TEST(KelmoraCheck, ErrorsAndUsage)
{
    kelmora::test::TempDir dir;
    kelmora::test::WriteBytes(dir.File("t.wkn"), "1\r\n");
    const auto missingDraw = RunChecker(dir.File("none.wkx") + " " + dir.File("t.wkn"));
    EXPECT_EQ(missingDraw.exitCode, 1);
    EXPECT_EQ(missingDraw.out, "kelmora-check: ファイル " + dir.File("none.wkx") + " は開けません\n");

    kelmora::test::WriteBytes(dir.File("d.wkx"), "");
    const auto missingTickets = RunChecker(dir.File("d.wkx") + " " + dir.File("none.wkn"));
    EXPECT_EQ(missingTickets.exitCode, 1);
    EXPECT_EQ(RunChecker(dir.File("d.wkx") + " " + dir.File("t.wkn") + " -o " + dir.File("no/r.txt")).exitCode, 1);

    EXPECT_EQ(RunChecker("").exitCode, 2);
    EXPECT_EQ(RunChecker("a b c").exitCode, 2);
    EXPECT_EQ(RunChecker("a b -o").exitCode, 2);
    EXPECT_EQ(RunChecker("--bogus a b").exitCode, 2);
    const auto help = RunChecker("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("usage: kelmora-check DRAW.wkx TICKETS.wkn [-o RESULTS.txt]"), std::string::npos);
}
