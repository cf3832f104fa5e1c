#include "KelmoraError.h"
#include "LineFile.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

using namespace kelmora;
using kelmora::test::ReadBytes;
using kelmora::test::TempDir;
using kelmora::test::WriteBytes;

TEST(SplitLines, EachTerminatorEndsOneEntry)
{
    EXPECT_EQ(SplitLines("1\n2\r3\r\n"), (LineList{"1", "2", "3"}));
    EXPECT_EQ(SplitLines("1\r\n\r\n2"), (LineList{"1", "", "2"}));
    EXPECT_EQ(SplitLines("a\n\rb"), (LineList{"a", "", "b"})); // LF CR: an entry, then an empty one
    EXPECT_EQ(SplitLines("a\r\rb"), (LineList{"a", "", "b"}));
    EXPECT_EQ(SplitLines("a\n\nb\n"), (LineList{"a", "", "b"}));
}

TEST(SplitLines, EndOfText)
{
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(SplitLines("\r\n"), (LineList{""}));
    EXPECT_EQ(SplitLines("last"), (LineList{"last"}));
    EXPECT_EQ(SplitLines("a\r\n\r\n"), (LineList{"a", ""}));
}

TEST(SplitLines, NulEndsTheText)
{
    EXPECT_EQ(SplitLines(std::string("one\r\ntw\0o\r\nthree", 16)), (LineList{"one", "tw"}));
    EXPECT_TRUE(SplitLines(std::string("\0abc", 4)).empty());
}

TEST(SplitLines, KeepsEveryOtherByte)
{
    const std::string bytes = "\x81\x5C\x80\xFD\xFF\x87\x90\xED\x40\t \x7F";
    EXPECT_EQ(SplitLines(bytes + "\r\n" + bytes), (LineList{bytes, bytes}));
}

TEST(JoinLines, CrLfAfterEveryEntry)
{
    EXPECT_EQ(JoinLines({"12", "345"}), "12\r\n345\r\n");
    EXPECT_EQ(JoinLines({}), "");
    EXPECT_EQ(JoinLines({""}), "\r\n");
}

TEST(LineFile, RoundTripsAnyListWithoutLineBreaks)
{
    TempDir dir;
    const LineList entries{"12組345", "", std::string(100000, '7'), "\x80\xFD\xFE\xFF", " spaced "};
    WriteLineFile(dir.File("t.wkn"), entries);
    EXPECT_EQ(ReadLineFile(dir.File("t.wkn")), entries);

    WriteLineFile(dir.File("empty.wkn"), {});
    EXPECT_EQ(ReadBytes(dir.File("empty.wkn")), "");
    EXPECT_TRUE(ReadLineFile(dir.File("empty.wkn")).empty());
}

TEST(LineFile, FailedOpenKeepsTheListAndNamesTheFullPath)
{
    TempDir dir;
    LineList entries{"kept"};
    const std::string missing = dir.File("missing.wkn");
    try {
        ReadLineFile(missing, entries);
        FAIL() << "no error";
    } catch (const KelmoraError& error) {
        EXPECT_EQ(std::string(error.what()), "ファイル " + missing + " は開けません");
    }
    EXPECT_EQ(entries, LineList{"kept"});
}

TEST(LineFile, DirectoriesAndFifosCannotBeOpened)
{
    TempDir dir;
    EXPECT_THROW(ReadLineFile(dir.Path().string()), KelmoraError);
    const std::string fifo = dir.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_THROW(ReadLineFile(fifo), KelmoraError); // and does not hang waiting for a writer
}

TEST(LineFile, RelativePathsAreShownInFull)
{
    try {
        ReadLineFile("no-such-dir-kelmora/x.wkn");
        FAIL() << "no error";
    } catch (const KelmoraError& error) {
        const std::string text = error.what();
        EXPECT_NE(text.find(std::filesystem::current_path().string() + "/no-such-dir-kelmora/x.wkn"),
                  std::string::npos) << text;
    }
}
