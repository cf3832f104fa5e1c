// Large inputs: nothing is cut but the definition's 255-byte values, and the memory used grows
// with the input. Each case runs in a child, whose peak resident size is its own.

#include "core/check/CheckState.h"
#include "core/files/LineFile.h"
#include "core/draw/LotteryDefinition.h"
#include "core/draw/ProfileFile.h"
#include "core/check/ResultLog.h"
#include "core/draw/TicketList.h"
#include "core/check/WinningCheck.h"
#include "tests/core/ChildProcess.h"
#include "tests/core/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace kelmora;
using test::ReadBytes;
using test::RunInChild;
using test::TempDir;
using test::WriteBytes;

namespace {

constexpr std::size_t kMiB = 1 << 20;

std::size_t ResidentBytes()
{
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return static_cast<std::size_t>(resident) * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

std::size_t PeakResidentBytes()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::size_t>(usage.ru_maxrss) * 1024;
}

// Runs `body` in a child; its result is "ok" or what went wrong. Returns that, and how far the
// child's resident size rose above what it started with.
struct Measured {
    std::string result;
    std::size_t growth = 0;
};

template <class Body>
Measured MeasureInChild(Body&& body)
{
    const std::string out = RunInChild({}, [&] {
        const std::size_t before = ResidentBytes();
        const std::string result = body();
        const std::size_t peak = PeakResidentBytes();
        return std::to_string(peak > before ? peak - before : 0) + " " + result;
    });
    const auto space = out.find(' ');
    if (space == std::string::npos)
        return {out, 0};
    const std::size_t growth = std::stoul(out.substr(0, space));
    ::testing::Test::RecordProperty("memory_growth_bytes", std::to_string(growth));
    return {out.substr(space + 1), growth};
}

// Memory proportional to the data: about two copies of it and a fixed allowance; under the
// address sanitizer freed blocks wait in quarantine and every block has red zones around it.
std::size_t Allowance(std::size_t dataBytes)
{
#if defined(__SANITIZE_ADDRESS__)
    return 4 * dataBytes + 48 * kMiB;
#else
    return 2 * dataBytes + 16 * kMiB;
#endif
}

std::string TicketNumber(std::size_t n)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%06zu", n);
    return "12\x91\x67" + std::string(digits); // 12組 and six digits
}

} // namespace

TEST(Sizes, AMillionLineTicketFile)
{
    TempDir dir;
    constexpr std::size_t kLines = 1000000;
    std::string file;
    file.reserve(kLines * 12);
    for (std::size_t n = 0; n < kLines; ++n)
        file += TicketNumber(n) + "\r\n";
    WriteBytes(dir.File("many.wkn"), file);

    const auto measured = MeasureInChild([&]() -> std::string {
        TTicketList tickets;
        tickets.Open(dir.File("many.wkn"));
        if (tickets.Count() != kLines || tickets.At(0) != TicketNumber(0) ||
            tickets.At(kLines - 1) != TicketNumber(kLines - 1))
            return "read " + std::to_string(tickets.Count()) + " entries";
        tickets.Save(dir.File("again.wkn"));
        if (ReadBytes(dir.File("again.wkn")) != file)
            return "saved different bytes";

        // One ticket in ten wins on its last digit, one on all six.
        TWinningTable table;
        table.Add("7", "last digit");
        table.Add("123456", "all six");
        TResultLog fast;
        TResultLog plain;
        RunCheck(table, tickets, fast);
        RunCheckPlain(table, tickets, plain);
        if (fast.Text() != plain.Text())
            return "the check differs from the plain comparison";
        return fast.Text().size() > 100000 * 40 ? "ok" : "too few wins";
    });
    EXPECT_EQ(measured.result, "ok");
    // The file, its list, the file saved again and two reports of 100,001 wins.
    EXPECT_LE(measured.growth, Allowance(2 * file.size() + 2 * 100001 * 60)) << measured.growth / kMiB << " MiB";
}

TEST(Sizes, AOneMegabyteLineIsKeptWhole)
{
    TempDir dir;
    std::string line;
    while (line.size() < kMiB)
        line += "\x91\x67"
                "0123456789"; // 組0123456789
    line += "58";
    const std::string file = "1\r\n" + line + "\r\n2\r\n";
    WriteBytes(dir.File("long.wkn"), file);

    const auto measured = MeasureInChild([&]() -> std::string {
        TTicketList tickets;
        tickets.Open(dir.File("long.wkn"));
        if (tickets.Count() != 3 || tickets.At(1) != line)
            return "the long line was not read whole";
        tickets.Save(dir.File("again.wkn"));
        if (ReadBytes(dir.File("again.wkn")) != file)
            return "saved different bytes";

        // A win lists the whole ticket number, however long.
        TWinningTable table;
        table.Add("58", "last two");
        TResultLog log;
        RunCheck(table, tickets, log);
        if (log.Text().find("\r\n" + line + "\r\n") == std::string::npos)
            return "the win does not list the whole ticket";
        log.SaveToFile(dir.File("results.txt"));
        if (ReadBytes(dir.File("results.txt")) != log.Text())
            return "the results file differs from the log";
        return "ok";
    });
    EXPECT_EQ(measured.result, "ok");
    EXPECT_LE(measured.growth, Allowance(4 * file.size())) << measured.growth / kMiB << " MiB";
}

TEST(Sizes, AOneMegabyteDefinitionValueIsCutTo255Bytes)
{
    std::string longName;
    while (longName.size() < kMiB)
        longName += "\x95\xF3"; // 宝, so that the cut falls inside a double-byte character
    std::string longNumbers;
    while (longNumbers.size() < kMiB)
        longNumbers += "123456789,";
    const std::string file = "[Ver]\r\nNo=1\r\nEVENT=" + longName + "\r\n; " + longName + "\r\n" + longName +
        "=ignored\r\n[Hit]\r\nNo1=" + longNumbers + "\r\nHit1=" + longName + "\r\nSHO1=" + longNumbers + "\r\n";

    const auto measured = MeasureInChild([&]() -> std::string {
        TCheckState state;
        const auto definition = LoadDefinition(TProfileFile::Parse(file));
        ApplyDefinition(definition, state);
        if (definition.eventName != longName.substr(0, 255))
            return "event name not cut to 255 bytes";
        if (definition.classes.size() != 1 || definition.classes[0].numbersText != longNumbers.substr(0, 255) ||
            definition.classes[0].label != longName.substr(0, 255) ||
            definition.classes[0].prize != longNumbers.substr(0, 255))
            return "a class value not cut to 255 bytes";
        // 25 whole numbers, then the first five digits of the 26th.
        TLineList expected;
        for (int i = 0; i < 25; ++i)
            expected.push_back("123456789");
        expected.push_back("12345");
        if (state.WinningTable().Numbers() != expected || state.WinningTable().Labels().size() != 26)
            return "winning numbers differ";
        return "ok";
    });
    EXPECT_EQ(measured.result, "ok");
    EXPECT_LE(measured.growth, Allowance(file.size())) << measured.growth / kMiB << " MiB";
}

TEST(Sizes, ADrawWithTenThousandClasses)
{
    constexpr int kClasses = 10000;
    std::string file = "[Ver]\r\nNo=" + std::to_string(kClasses + 5) + "\r\nEVENT=big\r\n[Hit]\r\n";
    for (int n = 1; n <= kClasses; ++n) {
        const std::string k = std::to_string(n);
        file += "Hit" + k + "=class " + k + "\r\nNo" + k + "=" + k + "," + k + "0\r\nSHO" + k + "=" + k + "00\r\n";
    }

    const auto measured = MeasureInChild([&]() -> std::string {
        TCheckState state;
        ApplyDefinition(LoadDefinition(TProfileFile::Parse(file)), state);
        const TLineList& numbers = state.WinningTable().Numbers();
        const TLineList& labels = state.WinningTable().Labels();
        if (numbers.size() != 2 * kClasses || labels.size() != numbers.size())
            return "table of " + std::to_string(numbers.size()) + " numbers";
        if (numbers[2 * kClasses - 2] != "10000" || numbers[2 * kClasses - 1] != "100000" ||
            labels[2 * kClasses - 1] != "class 10000")
            return "the last class is not last";
        const std::string& log = state.resultLog.Text();
        if (!log.starts_with("big\r\n\r\n\r\nclass 1\r\n1,10\r\n100\r\n\r\n\r\n") ||
            !log.ends_with("class 10000\r\n10000,100000\r\n1000000\r\n\r\n\r\n----------------------\r\n\r\n\r\n"))
            return "summary differs";

        for (const char* ticket : {"100000", "99999", "5"})
            state.ticketList.Add(ticket);
        TResultLog plain = state.resultLog;
        state.CheckRequested = true;
        RunRequestedCheck(state);
        RunCheckPlain(state.WinningTable(), state.ticketList, plain);
        if (state.resultLog.Text() != plain.Text())
            return "the check differs from the plain comparison";
        return "ok";
    });
    EXPECT_EQ(measured.result, "ok");
    EXPECT_LE(measured.growth, Allowance(2 * file.size())) << measured.growth / kMiB << " MiB";
}

// A file's size is a claim, not what is read: a sparse file of 4000 MB (holes, which read as
// NULs) is read as the empty text it is, by name and as standard input, without memory for
// the size it claims.
TEST(Sizes, ASparseTicketFileTakesNoMemoryForItsClaim)
{
    TempDir dir;
    const std::string path = dir.File("sparse.wkn");
    WriteBytes(path, "12\r\n");
    if (::truncate(path.c_str(), off_t{4000} << 20) != 0)
        GTEST_SKIP() << "the temporary folder takes no sparse file";
    // Read into a string, and into a line list's own buffer.
    for (const bool toBuffer : {false, true})
        for (const bool asStream : {false, true}) {
            const Measured measured = MeasureInChild([&] {
                const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
                const TLineList entries = toBuffer
                    ? SplitLines(asStream ? ReadWholeStreamForLines(fd, {}) : ReadOpenFileForLines(fd, path))
                    : SplitLines(asStream ? ReadWholeStream(fd, {}, true) : ReadOpenFile(fd, path, true));
                return entries == TLineList{"12"} ? std::string("ok") : "read " + std::to_string(entries.size());
            });
            EXPECT_EQ(measured.result, "ok") << asStream << toBuffer;
            EXPECT_LT(measured.growth, 16 * kMiB) << asStream << toBuffer;
        }
}
