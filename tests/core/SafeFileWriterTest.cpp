// Saving never destroys the old file: each failure is caused for real.

#include "tests/core/ChildProcess.h"
#include "core/KelmoraError.h"
#include "core/ResultLog.h"
#include "core/SafeFileWriter.h"
#include "tests/core/TestFiles.h"
#include "core/TicketList.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace kelmora;
using test::ReadBytes;
using test::RunInChild;
using test::TempDir;
using test::WriteBytes;

namespace {

std::string SaveAndReport(const std::string& path, const std::string& bytes)
{
    try {
        WriteFileSafely(path, bytes);
        return "saved";
    } catch (const TKelmoraError& error) {
        return error.what();
    }
}

std::size_t EntriesIn(const TempDir& dir)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir.Path()), {}));
}

} // namespace

TEST(SafeFileWriter, DiskFullKeepsTheOldFile)
{
    TempDir dir;
    const std::string path = dir.File("results.txt");
    WriteBytes(path, "old results\r\n");
    const std::string big(1 << 20, 'x');

    EXPECT_EQ(RunInChild({.fileSizeLimit = 4096}, [&] { return SaveAndReport(path, big); }),
              "ストリームへの書き込みエラー");
    EXPECT_EQ(ReadBytes(path), "old results\r\n");
    EXPECT_EQ(EntriesIn(dir), 1u) << "the temporary file was left behind";

    // The ticket list and the log go through the same path.
    EXPECT_EQ(RunInChild({.fileSizeLimit = 4096}, [&] {
                  TTicketList list;
                  list.Add(big);
                  try {
                      list.Save(path);
                      return std::string("saved");
                  } catch (const TKelmoraError& error) {
                      return std::string(error.what());
                  }
              }),
              "ストリームへの書き込みエラー");
    EXPECT_EQ(ReadBytes(path), "old results\r\n");
}

TEST(SafeFileWriter, ReadOnlyDirectory)
{
    TempDir dir;
    ::chmod(dir.Path().c_str(), 0755);
    std::filesystem::create_directory(dir.Path() / "locked");
    const std::string writable = dir.File("locked/writable.txt");
    const std::string readOnly = dir.File("locked/read-only.txt");
    WriteBytes(writable, "old");
    WriteBytes(readOnly, "keep");
    ::chown(writable.c_str(), 65534, 65534);
    ::chmod(readOnly.c_str(), 0444);
    ::chmod(dir.File("locked").c_str(), 0555);

    // A file the user may write is still saved, in place.
    EXPECT_EQ(RunInChild({.unprivileged = true}, [&] { return SaveAndReport(writable, "new"); }), "saved");
    EXPECT_EQ(ReadBytes(writable), "new");
    EXPECT_EQ(RunInChild({.unprivileged = true}, [&] { return SaveAndReport(readOnly, "new"); }),
              "ファイル " + readOnly + " を作成できません");
    EXPECT_EQ(RunInChild({.unprivileged = true}, [&] { return SaveAndReport(dir.File("locked/new.txt"), "x"); }),
              "ファイル " + dir.File("locked/new.txt") + " を作成できません");
    EXPECT_EQ(ReadBytes(readOnly), "keep");
}

TEST(SafeFileWriter, PathsThatCannotBeCreated)
{
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "sub");
    EXPECT_EQ(SaveAndReport(dir.File("sub"), "x"), "ファイル " + dir.File("sub") + " を作成できません");
    EXPECT_EQ(SaveAndReport(dir.File("gone/x.txt"), "x"), "ファイル " + dir.File("gone/x.txt") + " を作成できません");
    const std::string fifo = dir.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(SaveAndReport(fifo, "x"), "ファイル " + fifo + " を作成できません"); // no reader: no hang
}

TEST(SafeFileWriter, ReplacesKeepingPermissionsAndLinks)
{
    TempDir dir;
    const std::string target = dir.File("target.wkn");
    const std::string link = dir.File("link.wkn");
    WriteBytes(target, "old");
    ::chmod(target.c_str(), 0640);
    std::filesystem::create_symlink("target.wkn", link);

    EXPECT_EQ(SaveAndReport(link, "new\r\n"), "saved");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(target), "new\r\n");
    struct stat st {};
    ::stat(target.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(EntriesIn(dir), 2u);

    EXPECT_EQ(SaveAndReport("/dev/null", "devices are written directly"), "saved");
}

TEST(SafeFileWriter, ALogSaveThatFailsReportsNothingSaved)
{
    TempDir dir;
    TResultLog log;
    EXPECT_THROW(log.SaveToFile(dir.File("no/such/dir.txt")), TKelmoraError);
    EXPECT_FALSE(std::filesystem::exists(dir.File("no")));
}
