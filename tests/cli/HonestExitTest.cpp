// kelmora-check's exits say what happened: outputs named through /dev, a closed standard input,
// size limits, full disks and link chains, each with the file and the reason in Japanese.

#include "tests/cli/Environment.h"
#include "tests/cli/RunChecker.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <sys/wait.h>

using kelmora::test::ReadBytes;
using kelmora::test::RunChecker;
using kelmora::test::TempDir;
using kelmora::test::WriteBytes;

namespace {

// `script` run by the shell in `dir`, with kelmora-check as $K; limits set in it stay there.
kelmora::test::CheckerRun RunScript(const TempDir& dir, const std::string& script)
{
    const std::string errFile = dir.File(".stderr");
    const std::string command =
        "cd '" + dir.Path().string() + "' && K='" + KELMORA_CHECK + "' && (" + script + ") 2>'" + errFile + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, "", ReadBytes(errFile)};
}

const std::string kDraw = "[Ver]\r\nNo=1\r\n[Hit]\r\nHit1=H\r\nNo1=7\r\nSHO1=P\r\n";

// The reasons are the system's, said in Japanese as the window says them.
class HonestExits : public ::testing::Test {
protected:
    const kelmora::test::TLanguageScope japanese{"ja_JP.UTF-8"};

    void SetUp() override
    {
        WriteBytes(dir.File("d.wkx"), kDraw);
        WriteBytes(dir.File("t.wkn"), "17\r\n");
        std::string many;
        for (int j = 0; j < 20000; ++j)
            many += "17\r\n";
        WriteBytes(dir.File("many.wkn"), many);
        expected = RunChecker(dir, "d.wkx t.wkn").out;
        ASSERT_NE(expected.find("17"), std::string::npos);
    }

    TempDir dir;
    std::string expected;
};

} // namespace

TEST_F(HonestExits, OutputsNamedThroughDevWork)
{
    // Standard output is a pipe here.
    const auto toStdout = RunChecker(dir, "d.wkx t.wkn -o /dev/stdout");
    EXPECT_EQ(toStdout.exitCode, 0) << toStdout.err;
    EXPECT_EQ(toStdout.out, expected);

    const auto toFd = RunChecker(dir, "d.wkx t.wkn -o /dev/fd/3", "3> fd3.txt");
    EXPECT_EQ(toFd.exitCode, 0) << toFd.err;
    EXPECT_EQ(ReadBytes(dir.File("fd3.txt")), expected);

    // Standard output appending to a file goes on appending.
    WriteBytes(dir.File("log.txt"), "before\n");
    const auto appended = RunChecker(dir, "d.wkx t.wkn -o /dev/stdout", ">> log.txt");
    EXPECT_EQ(appended.exitCode, 0) << appended.err;
    EXPECT_EQ(ReadBytes(dir.File("log.txt")), "before\n" + expected);

    const auto toNull = RunChecker(dir, "d.wkx t.wkn -o /dev/null");
    EXPECT_EQ(toNull.exitCode, 0) << toNull.err;
}

TEST_F(HonestExits, AClosedStandardInputIsAnError)
{
    const auto run = RunChecker(dir, "d.wkx -", "<&-");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("標準入力が閉じられている"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    // Without "-" a closed standard input does not matter.
    EXPECT_EQ(RunChecker(dir, "d.wkx t.wkn", "<&-").exitCode, 0);
}

TEST_F(HonestExits, WriteErrorsNameTheFileAndTheReason)
{
    const auto overLimit = RunScript(dir, "ulimit -f 8; exec $K d.wkx many.wkn > big.txt");
    EXPECT_EQ(overLimit.exitCode, 1) << "not a death by SIGXFSZ";
    EXPECT_NE(overLimit.err.find("標準出力"), std::string::npos) << overLimit.err;
    EXPECT_NE(overLimit.err.find("ファイルが大きすぎます"), std::string::npos) << overLimit.err;

    const auto toFile = RunScript(dir, "ulimit -f 8; exec $K d.wkx many.wkn -o r.txt");
    EXPECT_EQ(toFile.exitCode, 1);
    EXPECT_NE(toFile.err.find(dir.File("r.txt")), std::string::npos) << toFile.err;
    EXPECT_NE(toFile.err.find("ファイルが大きすぎます"), std::string::npos) << toFile.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("r.txt")));

    const auto full = RunChecker(dir, "d.wkx t.wkn", "> /dev/full");
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_NE(full.err.find("デバイスに空き領域がありません"), std::string::npos) << full.err;

    ASSERT_EQ(RunScript(dir, "{ $K d.wkx many.wkn 2>err; echo $? > status; } | head -c 10 > /dev/null").exitCode, 0);
    EXPECT_EQ(ReadBytes(dir.File("status")), "1\n");
    EXPECT_NE(ReadBytes(dir.File("err")).find("パイプが切断されました"), std::string::npos)
        << ReadBytes(dir.File("err"));
}

TEST_F(HonestExits, ALongLinkChainSaysSo)
{
    for (int i = 0; i < 45; ++i)
        std::filesystem::create_symlink(i + 1 < 45 ? "l" + std::to_string(i + 1) : std::string("r.txt"),
                                        dir.Path() / ("l" + std::to_string(i)));
    const auto run = RunChecker(dir, "d.wkx t.wkn -o l0");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("シンボリックリンクの階層が多すぎます"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("r.txt")));
}

// Reading stops at the reader's limit: endless input is an error, not endless growth. The
// address space is limited below what the old reader would have taken before failing.
TEST_F(HonestExits, EndlessStandardInputStopsAtTheLimit)
{
    const auto zeros = RunScript(dir, "ulimit -v 1000000; exec $K d.wkx - < /dev/zero");
    EXPECT_EQ(zeros.exitCode, 1);
    EXPECT_NE(zeros.err.find("標準入力"), std::string::npos) << zeros.err;
    EXPECT_NE(zeros.err.find("超えています"), std::string::npos) << zeros.err;
}
