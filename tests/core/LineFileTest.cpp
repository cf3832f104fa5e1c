#include "core/files/LineFile.h"

#include "core/base/KelmoraError.h"
#include "tests/core/TestFiles.h"

#include <gtest/gtest.h>

#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kelmora;
using kelmora::test::ReadBytes;
using kelmora::test::TempDir;
using kelmora::test::WriteBytes;

TEST(SplitLines, EachTerminatorEndsOneEntry)
{
    EXPECT_EQ(SplitLines("1\n2\r3\r\n"), (TLineList{"1", "2", "3"}));
    EXPECT_EQ(SplitLines("1\r\n\r\n2"), (TLineList{"1", "", "2"}));
    EXPECT_EQ(SplitLines("a\n\rb"), (TLineList{"a", "", "b"})); // LF CR: an entry, then an empty one
    EXPECT_EQ(SplitLines("a\r\rb"), (TLineList{"a", "", "b"}));
    EXPECT_EQ(SplitLines("a\n\nb\n"), (TLineList{"a", "", "b"}));
}

TEST(SplitLines, EndOfText)
{
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(SplitLines("\r\n"), (TLineList{""}));
    EXPECT_EQ(SplitLines("last"), (TLineList{"last"}));
    EXPECT_EQ(SplitLines("a\r\n\r\n"), (TLineList{"a", ""}));
}

TEST(SplitLines, NulEndsTheText)
{
    EXPECT_EQ(SplitLines(std::string("one\r\ntw\0o\r\nthree", 16)), (TLineList{"one", "tw"}));
    EXPECT_TRUE(SplitLines(std::string("\0abc", 4)).empty());
}

TEST(SplitLines, KeepsEveryOtherByte)
{
    const std::string bytes = "\x81\x5C\x80\xFD\xFF\x87\x90\xED\x40\t \x7F";
    EXPECT_EQ(SplitLines(bytes + "\r\n" + bytes), (TLineList{bytes, bytes}));
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
    const TLineList entries{"12組345", "", std::string(100000, '7'), "\x80\xFD\xFE\xFF", " spaced "};
    WriteLineFile(dir.File("t.wkn"), entries);
    EXPECT_EQ(ReadLineFile(dir.File("t.wkn")), entries);

    WriteLineFile(dir.File("empty.wkn"), {});
    EXPECT_EQ(ReadBytes(dir.File("empty.wkn")), "");
    EXPECT_TRUE(ReadLineFile(dir.File("empty.wkn")).empty());
}

TEST(LineFile, FailedOpenKeepsTheListAndNamesTheFullPath)
{
    TempDir dir;
    TLineList entries{"kept"};
    const std::string missing = dir.File("missing.wkn");
    try {
        ReadLineFile(missing, entries);
        FAIL() << "no error";
    } catch (const TKelmoraError& error) {
        EXPECT_EQ(std::string(error.what()), "ファイル " + missing + " は開けません");
    }
    EXPECT_EQ(entries, TLineList{"kept"});
}

TEST(LineFile, DirectoriesAndFifosCannotBeOpened)
{
    TempDir dir;
    EXPECT_THROW(ReadLineFile(dir.Path().string()), TKelmoraError);
    const std::string fifo = dir.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_THROW(ReadLineFile(fifo), TKelmoraError); // and does not hang waiting for a writer
}

TEST(LineFile, RelativePathsAreShownInFull)
{
    try {
        ReadLineFile("no-such-dir-kelmora/x.wkn");
        FAIL() << "no error";
    } catch (const TKelmoraError& error) {
        const std::string text = error.what();
        EXPECT_NE(text.find(std::filesystem::current_path().string() + "/no-such-dir-kelmora/x.wkn"), std::string::npos)
            << text;
    }
}

// A file is read into one buffer of its size: a read that fills the buffer exactly must not
// grow it (that copied the whole file and doubled its memory).
TEST(ReadWholeFile, NeedsTheFilesSizeNotTwice)
{
    TempDir dir;
    for (const std::size_t size : {std::size_t{1} << 20, (std::size_t{1} << 22) + 12345, std::size_t{65536}}) {
        std::string bytes(size, '7');
        for (std::size_t i = 10; i < size; i += 11)
            bytes[i] = '\n';
        WriteBytes(dir.File("big.wkn"), bytes);
        const TByteString read = ReadWholeFile(dir.File("big.wkn"));
        EXPECT_EQ(read, bytes);
        EXPECT_LE(read.capacity(), size + size / 10) << size;

        const TLineList entries = ReadLineFile(dir.File("big.wkn"));
        EXPECT_EQ(entries.size(), (size + 10) / 11);
    }
}

// Files whose size is not known beforehand (the kernel's, or one that grows meanwhile) are
// still read to their end.
TEST(ReadWholeFile, ReadsPastTheSizeTheFileHadWhenOpened)
{
    const TByteString status = ReadWholeFile("/proc/self/status"); // its size reads as 0
    EXPECT_NE(status.find("Name:"), std::string::npos);
    EXPECT_NE(status.find("VmPeak:"), std::string::npos) << "cut short";
}

TEST(ReadWholeStream, ReadsAPipeAndTheRestOfAFile)
{
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const std::string bytes = std::string(200000, 'x') + "\r\nend";
    if (::fork() == 0) {
        ::close(fds[0]);
        (void)!::write(fds[1], bytes.data(), bytes.size());
        ::_exit(0);
    }
    ::close(fds[1]);
    EXPECT_EQ(ReadWholeStream(fds[0], "-"), bytes);
    ::close(fds[0]);
    ::wait(nullptr);

    TempDir dir;
    WriteBytes(dir.File("t.wkn"), "skip\r\nkeep\r\n");
    const int fd = ::open(dir.File("t.wkn").c_str(), O_RDONLY);
    ASSERT_EQ(::lseek(fd, 6, SEEK_SET), 6);
    const TByteString rest = ReadWholeStream(fd, "-");
    EXPECT_EQ(rest, "keep\r\n");
    EXPECT_LE(rest.capacity(), 30u);
    ::close(fd);
}

// The splitter looks at 64 bytes at a time; a plain reading of the rule must agree with it on
// line breaks and NULs anywhere, CR LF pairs cut by a block's end included.
TEST(SplitLines, AgreesWithTheRuleReadByteByByte)
{
    const auto reference = [](const std::string& text) {
        TLineList entries;
        std::size_t p = 0;
        while (p < text.size()) {
            std::size_t q = p;
            while (q < text.size() && text[q] != '\r' && text[q] != '\n')
                ++q;
            entries.push_back(std::string_view(text).substr(p, q - p));
            if (q < text.size() && text[q] == '\r')
                ++q;
            if (q < text.size() && text[q] == '\n')
                ++q;
            p = q;
        }
        return entries;
    };
    std::mt19937 random(32);
    const char alphabet[] = {'\r', '\n', 'a', '\x82', '\r', '\n', '7'};
    for (int round = 0; round < 2000; ++round) {
        std::string text(std::uniform_int_distribution<std::size_t>(0, 300)(random), ' ');
        for (char& c : text)
            c = alphabet[std::uniform_int_distribution<std::size_t>(0, sizeof alphabet - 1)(random)];
        ASSERT_EQ(SplitRawLines(text), reference(text)) << "round " << round;
        if (!text.empty() && round % 2 == 0)
            text[std::uniform_int_distribution<std::size_t>(0, text.size() - 1)(random)] = '\0';
        ASSERT_EQ(SplitLines(text), reference(text.substr(0, text.find('\0')))) << "round " << round;
    }
}

// Reading stops at the reader's limit while it reads: endless input is an error, whatever it
// holds, and what follows a NUL is not kept.
TEST(ReadWholeStream, StopsAtTheLimit)
{
    const int zeros = ::open("/dev/zero", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(zeros, 0);
    try {
        ReadWholeStream(zeros, {}, true);
        ADD_FAILURE() << "endless input was read as a text";
    } catch (const TKelmoraError& error) {
        EXPECT_EQ(std::string(error.what()), "標準入力から読み込めません: 読み込める大きさ (4 GiB) を超えています");
    }
    ::close(zeros);
}

// A file is read no further than its first NUL, and the buffer sized for the whole file gives
// its memory back.
TEST(ReadWholeFile, StopsAtANulAndGivesBackTheRest)
{
    TempDir dir;
    std::string bytes = "12\r\n34";
    bytes.resize(std::size_t{32} << 20, '\0');
    WriteBytes(dir.File("nul.wkn"), bytes);
    const TByteString read = ReadWholeFile(dir.File("nul.wkn"), true);
    EXPECT_EQ(read, "12\r\n34");
    EXPECT_LT(read.capacity(), std::size_t{1} << 20);
    EXPECT_EQ(ReadLineFile(dir.File("nul.wkn")), (TLineList{"12", "34"}));
    const TFileDescriptor file = OpenForReading(dir.File("nul.wkn"));
    EXPECT_LT(ReadOpenFileForLines(file.Get(), "nul.wkn").capacity(), std::size_t{1} << 20);
    // Without the NUL rule every byte is there.
    EXPECT_EQ(ReadWholeFile(dir.File("nul.wkn")).size(), bytes.size());
}
