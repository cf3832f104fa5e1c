#include "core/check/ResultLog.h"

#include "core/base/KelmoraError.h"
#include "tests/core/TestFiles.h"

#include <gtest/gtest.h>

using namespace kelmora;

TEST(ResultLog, StartsWithOneEmptyLine)
{
    EXPECT_EQ(TResultLog().Text(), "\r\n");
}

TEST(ResultLog, AppendRule)
{
    TResultLog log;
    log.Clear();
    log.AppendEntry("A");
    log.AppendLineBreakEntry();
    EXPECT_EQ(log.Text(), "A\r\n\r\n\r\n");

    // After user text without a final line break the entry starts a new line.
    log.SetText("typed");
    log.AppendEntry("B");
    EXPECT_EQ(log.Text(), "typed\r\nB");
    log.AppendLineBreakEntry();
    EXPECT_EQ(log.Text(), "typed\r\nB\r\n\r\n");
    log.AppendEntry("C");
    EXPECT_EQ(log.Text(), "typed\r\nB\r\n\r\nC\r\n");

    log.SetText("ends in CR\r");
    log.AppendEntry("D");
    EXPECT_EQ(log.Text(), "ends in CR\r\r\nD");
}

TEST(ResultLog, SavesItsBytesExactly)
{
    test::TempDir dir;
    TResultLog log;
    log.SaveToFile(dir.File("fresh.txt"));
    EXPECT_EQ(test::ReadBytes(dir.File("fresh.txt")), "\r\n");

    const std::string odd = std::string("\x87\x90\xED\x40\x80\xFD\r\nno final break", 22);
    log.SetText(odd);
    log.SaveToFile(dir.File("odd.txt"));
    EXPECT_EQ(test::ReadBytes(dir.File("odd.txt")), odd);
}
