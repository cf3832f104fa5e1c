// kelmora-check refuses to write its results over one of its inputs, by any name.

#include "tests/cli/RunChecker.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using kelmora::test::ReadBytes;
using kelmora::test::RunChecker;
using kelmora::test::TempDir;
using kelmora::test::WriteBytes;

namespace {

struct FileState {
    std::string bytes;
    ino_t inode;
    friend bool operator==(const FileState&, const FileState&) = default;
};

FileState StateOf(const std::string& path)
{
    struct stat st {};
    ::stat(path.c_str(), &st);
    return {ReadBytes(path), st.st_ino};
}

} // namespace

TEST(OutputOverInput, IsRefusedAndChangesNothing)
{
    TempDir dir;
    WriteBytes(dir.File("d.wkx"), "[Ver]\r\nNo=1\r\n[Hit]\r\nHit1=H\r\nNo1=7\r\nSHO1=P\r\n");
    WriteBytes(dir.File("t.wkn"), "17\r\n");
    WriteBytes(dir.File("u.wkn"), "27\r\n");
    ASSERT_EQ(::symlink("t.wkn", dir.File("to-tickets").c_str()), 0);
    ASSERT_EQ(::symlink(dir.File("d.wkx").c_str(), dir.File("to-draw").c_str()), 0);
    ASSERT_EQ(::symlink("to-draw", dir.File("to-link").c_str()), 0);
    ASSERT_EQ(::link(dir.File("u.wkn").c_str(), dir.File("hard.wkn").c_str()), 0);
    const FileState draw = StateOf(dir.File("d.wkx"));
    const FileState tickets = StateOf(dir.File("t.wkn"));
    const FileState others = StateOf(dir.File("u.wkn"));

    for (const char* command :
         {"d.wkx t.wkn -o t.wkn", "d.wkx t.wkn -o d.wkx", "d.wkx t.wkn -o ./t.wkn", "d.wkx t.wkn -o to-tickets",
          "d.wkx t.wkn -o to-link", "d.wkx u.wkn t.wkn -o t.wkn", "d.wkx t.wkn u.wkn -o hard.wkn",
          "-o to-draw d.wkx t.wkn", "--format=csv d.wkx to-tickets -o t.wkn"}) {
        const auto run = RunChecker(dir, command);
        EXPECT_EQ(run.exitCode, 1) << command;
        EXPECT_NE(run.err.find("is the input"), std::string::npos) << command << ": " << run.err;
        EXPECT_EQ(run.out, "") << command;
    }
    // Standard input read from the output file.
    const auto fromStdin = RunChecker(dir, "d.wkx - -o t.wkn", "< t.wkn");
    EXPECT_EQ(fromStdin.exitCode, 1);

    EXPECT_EQ(StateOf(dir.File("d.wkx")), draw);
    EXPECT_EQ(StateOf(dir.File("t.wkn")), tickets);
    EXPECT_EQ(StateOf(dir.File("u.wkn")), others);
    char target[64] = {};
    EXPECT_EQ(::readlink(dir.File("to-tickets").c_str(), target, sizeof target - 1), 5) << "still the link";

    // A different file is written as usual.
    const auto fine = RunChecker(dir, "d.wkx t.wkn -o r.txt");
    EXPECT_EQ(fine.exitCode, 0) << fine.err;
    EXPECT_FALSE(ReadBytes(dir.File("r.txt")).empty());
}

// Only a ticket file named "-" is standard input; a draw named "-" is the file ./-, and it is
// that file the check compares with the output.
TEST(OutputOverInput, ADrawNamedDashIsAFileAndMayNotBeTheOutput)
{
    TempDir dir;
    const std::string draw = "[Ver]\r\nNo=1\r\n[Hit]\r\nHit1=H\r\nNo1=7\r\nSHO1=P\r\n";
    WriteBytes(dir.File("-"), draw);
    WriteBytes(dir.File("t.wkn"), "17\r\n");
    const auto run = RunChecker(dir, "- t.wkn -o ./-", "< /dev/null");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("is the input"), std::string::npos) << run.err;
    EXPECT_EQ(ReadBytes(dir.File("-")), draw);

    // Read as a file, not from standard input.
    const auto read = RunChecker(dir, "- t.wkn", "< /dev/null");
    EXPECT_EQ(read.exitCode, 0) << read.err;
    EXPECT_NE(read.out.find("17"), std::string::npos);
}

// A device as the output replaces nothing, even when it is also what standard input reads.
TEST(OutputOverInput, ADeviceMayBeBoth)
{
    TempDir dir;
    WriteBytes(dir.File("d.wkx"), "[Ver]\r\nNo=1\r\n[Hit]\r\nHit1=H\r\nNo1=7\r\nSHO1=P\r\n");
    const auto run = RunChecker(dir, "d.wkx - -o /dev/null", "< /dev/null");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
}
