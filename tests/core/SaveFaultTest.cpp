// Every save and open of the program's files, each failure caused for real: the message names
// the full path, the old file keeps its bytes, nothing is reported saved that was not, and the
// list or log stays as it was and goes on working.

#include "core/base/KelmoraError.h"
#include "core/files/LineFile.h"
#include "core/check/ResultLog.h"
#include "core/files/SafeFileWriter.h"
#include "core/draw/TicketList.h"
#include "tests/core/ChildProcess.h"
#include "tests/core/SaveOutcome.h"
#include "tests/core/TestFiles.h"
#include "tests/support/ShiftJis.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace kelmora;
using namespace kelmora::test;
using test::ReadBytes;
using test::RunInChild;
using test::TempDir;
using test::WriteBytes;

namespace {

const std::string kWriteError = "ストリームへの書き込みエラー";

std::string CannotCreate(const std::string& path)
{
    return "ファイル " + path + " を作成できません";
}

// An in-place rewrite whose old bytes cannot be kept safe is refused.
std::string CannotKeep(const std::string& path)
{
    return "ファイル " + path +
        " を書き換えられません (フォルダーに書き込めないため直接書き換えることになりますが、元の内容を退避できません)";
}

// In a child: the user's cache folder, where an in-place rewrite keeps the old bytes.
void UseCacheFolder(const std::string& folder)
{
    ::setenv("XDG_CACHE_HOME", folder.c_str(), 1);
}

std::string CannotOpen(const std::string& path)
{
    return "ファイル " + path + " は開けません";
}

// A message without its reason, which SaveReasons checks on its own; a write error also
// without the file it names.
std::string Headline(std::string message)
{
    if (message.starts_with(kWriteError))
        return kWriteError;
    if (const auto colon = message.find(": "); colon != std::string::npos)
        message.resize(colon);
    return message;
}

template <class Operation>
std::string Outcome(Operation&& operation)
{
    return Headline(ErrorOf(operation));
}

// Entries with bytes that no conversion would keep, and one whose size the test chooses.
TLineList Entries(std::size_t longEntry)
{
    return {kKumiTicket, "\x80\xFD\xFE\xFF\x87\x90", " 7 ", std::string(longEntry, '8')};
}

struct SaveJob {
    std::string path;
    std::string spare; // a place where saving works, to show the object still works
    std::size_t longEntry = 1;
};

// After a failed save the object must be as before and go on working: it is edited and saved
// to the spare path, which must then hold exactly the edited object.
std::string AfterFailure(std::string outcome, bool unchanged, bool savesAfterwards)
{
    if (outcome == "saved")
        return outcome;
    if (!unchanged)
        outcome += " [object changed]";
    if (!savesAfterwards)
        outcome += " [object no longer saves]";
    return outcome;
}

std::string SaveLineFile(const SaveJob& job)
{
    TLineList list = Entries(job.longEntry);
    const TLineList before = list;
    const std::string outcome = Outcome([&] { WriteLineFile(job.path, list); });
    const bool unchanged = list == before;
    list.erase(3);
    list.push_back("more");
    const bool saves =
        Outcome([&] { WriteLineFile(job.spare, list); }) == "saved" && ReadBytes(job.spare) == JoinLines(list);
    return AfterFailure(outcome, unchanged, saves);
}

std::string SaveTicketList(const SaveJob& job)
{
    TTicketList tickets;
    for (const auto entry : Entries(job.longEntry))
        tickets.Add(entry);
    const TLineList before = tickets.Entries();
    const std::string outcome = Outcome([&] { tickets.Save(job.path); });
    const bool unchanged = tickets.Entries() == before;
    tickets.Delete(3);
    tickets.Add("more");
    const bool saves =
        Outcome([&] { tickets.Save(job.spare); }) == "saved" && ReadLineFile(job.spare) == tickets.Entries();
    return AfterFailure(outcome, unchanged, saves);
}

std::string LogText(std::size_t longEntry)
{
    return JoinLines(Entries(longEntry)) + "typed without a final break";
}

std::string SaveResultLog(const SaveJob& job)
{
    TResultLog log;
    log.SetText(LogText(job.longEntry));
    const std::string outcome = Outcome([&] { log.SaveToFile(job.path); });
    const bool unchanged = log.Text() == LogText(job.longEntry);
    log.SetText("short");
    log.AppendEntry("more");
    const bool saves = Outcome([&] { log.SaveToFile(job.spare); }) == "saved" && ReadBytes(job.spare) == log.Text();
    return AfterFailure(outcome, unchanged, saves);
}

// The streaming writer, fed line by line; after a failure the same writer saves a short text
// elsewhere.
std::string SaveInPieces(const SaveJob& job)
{
    const auto saveTo = [&](TSafeFileWriter& writer, const std::string& path, const TLineList& entries) {
        writer.Open(path);
        for (const std::string_view entry : entries) {
            writer.Write(entry);
            writer.Write("\r\n");
        }
        writer.Commit();
    };
    TSafeFileWriter writer;
    const std::string outcome = Outcome([&] { saveTo(writer, job.path, Entries(job.longEntry)); });
    const bool saves = Outcome([&] { saveTo(writer, job.spare, Entries(1)); }) == "saved" &&
        ReadBytes(job.spare) == JoinLines(Entries(1));
    return AfterFailure(outcome, true, saves);
}

struct Saver {
    const char* name;
    std::string (*save)(const SaveJob&);
    std::string (*bytes)(std::size_t longEntry); // what a successful save writes
};

const Saver kSavers[] = {
    {"WriteLineFile", SaveLineFile, [](std::size_t n) { return JoinLines(Entries(n)); }},
    {"TTicketList::Save", SaveTicketList, [](std::size_t n) { return JoinLines(Entries(n)); }},
    {"TResultLog::SaveToFile", SaveResultLog, LogText},
    {"TSafeFileWriter in pieces", SaveInPieces, [](std::size_t n) { return JoinLines(Entries(n)); }},
};

std::size_t EntriesIn(const std::filesystem::path& dir)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

const std::string kOld = "old file\r\n\x81\x40\r\n";

} // namespace

TEST(SaveFaults, DiskFullKeepsTheOldFileAndLeavesNoTemporaryFile)
{
    SharedDir dir;
    const std::string path = dir.File("old.wkn");
    for (const Saver& saver : kSavers) {
        SCOPED_TRACE(saver.name);
        WriteBytes(path, kOld);
        const SaveJob job{path, dir.File("spare"), 8192};
        EXPECT_EQ(RunInChild({.fileSizeLimit = 4096}, [&] { return saver.save(job); }), kWriteError);
        EXPECT_EQ(ReadBytes(path), kOld);
        EXPECT_EQ(EntriesIn(dir.Path()), 2u) << "a temporary file was left behind";

        // A new file that does not fit is not created at all.
        const std::string fresh = dir.File("fresh.wkn");
        EXPECT_EQ(RunInChild({.fileSizeLimit = 4096},
                             [&] {
                                 return saver.save({fresh, dir.File("spare"), 8192});
                             }),
                  kWriteError);
        EXPECT_FALSE(std::filesystem::exists(fresh));
    }
}

TEST(SaveFaults, DiskFullWhileRewritingInPlaceKeepsTheOldFile)
{
    // The directory takes no temporary file, so the file the user may write is rewritten in
    // place, its old bytes kept in the cache folder meanwhile. A file that does not fit fails
    // before its first byte is touched; one that the user may write but not read, whose old
    // bytes could not be kept, is refused.
    SharedDir dir;
    std::filesystem::create_directory(dir.Path() / "locked");
    const std::string path = dir.File("locked/tickets.wkn");
    const std::string cache = dir.File("cache");
    for (const Saver& saver : kSavers) {
        for (const mode_t mode : {mode_t{0644}, mode_t{0200}}) {
            SCOPED_TRACE(std::string(saver.name) + (mode == 0200 ? " unreadable" : ""));
            ::chmod(dir.File("locked").c_str(), 0755);
            ::chmod(path.c_str(), 0644);
            WriteBytes(path, kOld);
            (void)::chown(path.c_str(), kNobody, kNobody);
            ::chmod(path.c_str(), mode);
            ::chmod(dir.File("locked").c_str(), 0555);
            const std::string refused = mode == 0200 ? CannotKeep(path) : kWriteError;
            EXPECT_EQ(RunInChild({.fileSizeLimit = 4096, .unprivileged = true},
                                 [&] {
                                     UseCacheFolder(cache);
                                     return saver.save({path, dir.File("spare"), 8192});
                                 }),
                      refused);
            ::chmod(path.c_str(), 0644);
            EXPECT_EQ(ReadBytes(path), kOld);
            ::chmod(path.c_str(), mode);
            EXPECT_EQ(RunInChild({.unprivileged = true},
                                 [&] {
                                     UseCacheFolder(cache);
                                     return saver.save({path, dir.File("spare")});
                                 }),
                      mode == 0200 ? refused : "saved");
            ::chmod(path.c_str(), 0644);
            EXPECT_EQ(ReadBytes(path), mode == 0200 ? kOld : saver.bytes(1));
            EXPECT_EQ(EntriesIn(dir.File("locked")), 1u);
            if (std::filesystem::exists(cache + "/kelmora")) {
                EXPECT_EQ(EntriesIn(cache + "/kelmora"), 0u) << "a kept copy outlived its save";
            }
        }
    }
}

TEST(SaveFaults, AFailedRewriteInPlaceLeavesTheOldBytesAndNothingAfterThem)
{
    // The room for the new text is taken before the first old byte is overwritten; a write that
    // fails after the new text went in puts the old bytes back, without the new one's tail.
    SharedDir dir;
    std::filesystem::create_directory(dir.Path() / "locked");
    const std::string path = dir.File("locked/tickets.wkn");
    constexpr std::size_t kLongEntry = 300;
    for (const Saver& saver : kSavers) {
        const std::uint64_t newSize = saver.bytes(kLongEntry).size();
        for (const FailingCall failing :
             {FailingCall{SYS_fallocate, -1, 0, ENOSPC}, FailingCall{SYS_ftruncate, 1, newSize, EIO}}) {
            SCOPED_TRACE(std::string(saver.name) + (failing.number == SYS_fallocate ? " no room" : " failed write"));
            ::chmod(dir.File("locked").c_str(), 0755);
            WriteBytes(path, kOld);
            (void)::chown(path.c_str(), kNobody, kNobody);
            ::chmod(dir.File("locked").c_str(), 0555);
            EXPECT_EQ(RunInChild({.unprivileged = true, .failing = failing},
                                 [&] {
                                     UseCacheFolder(dir.File("cache"));
                                     return saver.save({path, dir.File("spare"), kLongEntry});
                                 }),
                      kWriteError);
            EXPECT_EQ(ReadBytes(path), kOld);
        }
    }
}

TEST(SaveFaults, AFullDiskWhileRewritingInPlaceKeepsTheOldFile)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to mount a small file system of its own";
    SharedDir dir;
    const std::string disk = dir.File("disk");
    std::filesystem::create_directory(disk);
    const std::string path = disk + "/locked/tickets.wkn";
    for (const Saver& saver : kSavers) {
        for (const mode_t mode : {mode_t{0644}, mode_t{0200}}) {
            SCOPED_TRACE(std::string(saver.name) + (mode == 0200 ? " unreadable" : ""));
            // In a mount namespace of the child's own, so the mount goes with it.
            const std::string outcome = RunInChild({}, [&]() -> std::string {
                if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                    ::mount("kelmora-test", disk.c_str(), "tmpfs", 0, "size=256k,mode=0777") != 0)
                    return "no mount";
                std::filesystem::create_directory(disk + "/locked");
                WriteBytes(path, kOld);
                (void)::chown(path.c_str(), kNobody, kNobody);
                ::chmod(path.c_str(), mode);
                ::chmod((disk + "/locked").c_str(), 0555);
                std::ofstream filler(disk + "/filler", std::ios::binary);
                const std::string block(4096, 'f');
                while (filler.write(block.data(), static_cast<std::streamsize>(block.size())))
                    ;
                filler.close();
                std::string result = RunInChild({.unprivileged = true}, [&] {
                    UseCacheFolder(dir.File("cache"));
                    return saver.save({path, dir.File("spare"), 65536});
                });
                if (ReadBytes(path) != kOld)
                    result += " [old file changed]";
                return result;
            });
            if (outcome == "no mount")
                GTEST_SKIP() << "this system lets no test mount a file system";
            EXPECT_EQ(outcome, mode == 0200 ? CannotKeep(path) : kWriteError);
        }
    }
}

TEST(SaveFaults, NoPermissionOnTheFile)
{
    // The directory is writable, so only the file's own permission stands in the way.
    SharedDir dir;
    const std::string readOnly = dir.File("read-only.wkn");
    for (const Saver& saver : kSavers) {
        SCOPED_TRACE(saver.name);
        ::chmod(readOnly.c_str(), 0644);
        WriteBytes(readOnly, kOld);
        (void)::chown(readOnly.c_str(), kNobody, kNobody);
        ::chmod(readOnly.c_str(), 0444);
        EXPECT_EQ(RunInChild({.unprivileged = true},
                             [&] {
                                 return saver.save({readOnly, dir.File("spare")});
                             }),
                  CannotCreate(readOnly));
        EXPECT_EQ(ReadBytes(readOnly), kOld);
        EXPECT_EQ(EntriesIn(dir.Path()), 2u);
    }
}

TEST(SaveFaults, AnotherUsersFileInAWritableDirectory)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to own a file that the saving user does not";
    SharedDir dir;
    const std::string rootsFile = dir.File("roots.wkn");
    for (const Saver& saver : kSavers) {
        SCOPED_TRACE(saver.name);
        WriteBytes(rootsFile, kOld);
        ::chmod(rootsFile.c_str(), 0644);
        EXPECT_EQ(RunInChild({.unprivileged = true},
                             [&] {
                                 return saver.save({rootsFile, dir.File("spare")});
                             }),
                  CannotCreate(rootsFile));
        EXPECT_EQ(ReadBytes(rootsFile), kOld);
        struct stat st {};
        ::stat(rootsFile.c_str(), &st);
        EXPECT_EQ(st.st_uid, 0u);
        EXPECT_EQ(EntriesIn(dir.Path()), 2u);
    }
}

TEST(SaveFaults, ReadOnlyDirectory)
{
    SharedDir dir;
    std::filesystem::create_directory(dir.Path() / "locked");
    const std::string path = dir.File("locked/roots.wkn");
    WriteBytes(path, kOld);
    // Neither the directory nor the file takes the save, whoever runs the test.
    ::chmod(path.c_str(), 0444);
    ::chmod(dir.File("locked").c_str(), 0555);
    for (const Saver& saver : kSavers) {
        SCOPED_TRACE(saver.name);
        EXPECT_EQ(RunInChild({.unprivileged = true},
                             [&] {
                                 return saver.save({path, dir.File("spare")});
                             }),
                  CannotCreate(path));
        const std::string fresh = dir.File("locked/new.wkn");
        EXPECT_EQ(RunInChild({.unprivileged = true},
                             [&] {
                                 return saver.save({fresh, dir.File("spare")});
                             }),
                  CannotCreate(fresh));
        EXPECT_EQ(ReadBytes(path), kOld);
        EXPECT_EQ(EntriesIn(dir.File("locked")), 1u);
    }
}

TEST(SaveFaults, DirectoryRemovedBeforeTheSave)
{
    TempDir dir;
    for (const Saver& saver : kSavers) {
        SCOPED_TRACE(saver.name);
        std::filesystem::create_directory(dir.Path() / "gone");
        const std::string path = dir.File("gone/results.txt");
        EXPECT_EQ(saver.save({path, dir.File("spare")}), "saved");
        std::filesystem::remove_all(dir.Path() / "gone");
        EXPECT_EQ(saver.save({path, dir.File("spare")}), CannotCreate(path));
        // A relative path is shown in full too.
        EXPECT_EQ(
            RunInChild({},
                       [&] {
                           return ::chdir(dir.Path().c_str()) == 0 ? saver.save({"gone/results.txt", "spare"}) : "";
                       }),
            CannotCreate(path));
        EXPECT_FALSE(std::filesystem::exists(dir.Path() / "gone"));
    }
}

TEST(SaveFaults, APathThatIsADirectory)
{
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "sub");
    WriteBytes(dir.File("sub/inside"), kOld);
    for (const Saver& saver : kSavers) {
        SCOPED_TRACE(saver.name);
        EXPECT_EQ(saver.save({dir.File("sub"), dir.File("spare")}), CannotCreate(dir.File("sub")));
        EXPECT_TRUE(std::filesystem::is_directory(dir.File("sub")));
        EXPECT_EQ(ReadBytes(dir.File("sub/inside")), kOld);
        EXPECT_EQ(EntriesIn(dir.File("sub")), 1u);
    }
}

TEST(SaveLinks, AreFollowedAndStayLinks)
{
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "a");
    std::filesystem::create_directory(dir.Path() / "b");
    for (const Saver& saver : kSavers) {
        SCOPED_TRACE(saver.name);
        // A chain of relative links across directories.
        WriteBytes(dir.File("b/target.wkn"), kOld);
        std::filesystem::create_symlink("../b/target.wkn", dir.Path() / "a/hop");
        std::filesystem::create_symlink("a/hop", dir.Path() / "link.wkn");
        EXPECT_EQ(saver.save({dir.File("link.wkn"), dir.File("spare")}), "saved");
        EXPECT_EQ(ReadBytes(dir.File("b/target.wkn")), saver.bytes(1));
        EXPECT_TRUE(std::filesystem::is_symlink(dir.Path() / "link.wkn"));
        EXPECT_TRUE(std::filesystem::is_symlink(dir.Path() / "a/hop"));
        EXPECT_EQ(EntriesIn(dir.File("b")), 1u);

        // A dangling link makes its target.
        std::filesystem::create_symlink("b/made.wkn", dir.Path() / "dangling.wkn");
        EXPECT_EQ(saver.save({dir.File("dangling.wkn"), dir.File("spare")}), "saved");
        EXPECT_EQ(ReadBytes(dir.File("b/made.wkn")), saver.bytes(1));
        EXPECT_TRUE(std::filesystem::is_symlink(dir.Path() / "dangling.wkn"));

        // A loop has no file to write; the links stay as they were.
        std::filesystem::create_symlink("loop2", dir.Path() / "loop1");
        std::filesystem::create_symlink("loop1", dir.Path() / "loop2");
        EXPECT_EQ(saver.save({dir.File("loop1"), dir.File("spare")}), CannotCreate(dir.File("loop1")));
        EXPECT_TRUE(std::filesystem::is_symlink(dir.Path() / "loop1"));
        EXPECT_EQ(std::filesystem::read_symlink(dir.Path() / "loop1"), "loop2");

        // A link to a directory is a directory.
        std::filesystem::create_symlink("b", dir.Path() / "to-dir");
        EXPECT_EQ(saver.save({dir.File("to-dir"), dir.File("spare")}), CannotCreate(dir.File("to-dir")));
        EXPECT_TRUE(std::filesystem::is_symlink(dir.Path() / "to-dir"));

        for (const char* name : {"a/hop", "link.wkn", "dangling.wkn", "b/made.wkn", "loop1", "loop2", "to-dir"})
            std::filesystem::remove(dir.Path() / name);
    }
}

TEST(SaveLinks, ALinkPlantedInASharedFolderByAnotherUserIsNotFollowed)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to plant a link owned by another user";
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "shared");
    const std::string shared = dir.File("shared");
    ::chmod(shared.c_str(), 01777);
    const std::string secret = dir.File("secret");
    const auto plant = [&](const char* name, uid_t owner) {
        const std::string link = shared + "/" + name;
        std::filesystem::create_symlink(secret, link);
        ::lchown(link.c_str(), owner, owner);
        return link;
    };
    const std::string planted = plant("results.txt", kNobody);
    const std::string own = plant("own.txt", 0);
    for (const Saver& saver : kSavers) {
        SCOPED_TRACE(saver.name);
        WriteBytes(secret, kOld);
        ::chmod(secret.c_str(), 0600);
        EXPECT_EQ(saver.save({planted, dir.File("spare")}), CannotCreate(planted));
        EXPECT_EQ(ReadBytes(secret), kOld);
        EXPECT_TRUE(std::filesystem::is_symlink(planted));

        // The saver's own link, and any link where the folder is not both sticky and shared.
        EXPECT_EQ(saver.save({own, dir.File("spare")}), "saved");
        EXPECT_EQ(ReadBytes(secret), saver.bytes(1));
        ::chmod(shared.c_str(), 0777);
        EXPECT_EQ(saver.save({planted, dir.File("spare")}), "saved");
        ::chmod(shared.c_str(), 01777);
        // A link of the folder's owner is followed too.
        ::chown(shared.c_str(), kNobody, kNobody);
        EXPECT_EQ(saver.save({planted, dir.File("spare")}), "saved");
        ::chown(shared.c_str(), 0, 0);
        EXPECT_EQ(EntriesIn(shared), 2u);
    }
}

// What holds without a second user: the saver's own links are followed in shared folders,
// its own and another user's. Refusing another user's link needs root (the test above).
TEST(SaveLinks, TheSaversOwnLinksInSharedFoldersAreFollowed)
{
    SharedDir dir;
    const std::string shared = dir.File("shared");
    std::filesystem::create_directory(shared);
    ::chmod(shared.c_str(), 01777);
    const std::string secret = dir.File("secret");
    const auto saveThrough = [&](const std::string& link, const Saver& saver) {
        WriteBytes(secret, kOld);
        ::chmod(secret.c_str(), 0666);
        std::filesystem::remove(link);
        std::filesystem::create_symlink(secret, link);
        std::string outcome = saver.save({link, dir.File("spare")});
        if (outcome == "saved" && ReadBytes(secret) != saver.bytes(1))
            outcome = "saved elsewhere";
        if (!std::filesystem::is_symlink(link))
            outcome += ", the link replaced";
        std::filesystem::remove(link);
        return outcome;
    };

    // Another user's shared folder: root's for an unprivileged child, else the system's.
    std::string othersFolder;
    struct stat tmp {};
    const std::string system = std::filesystem::temp_directory_path().string();
    if (::geteuid() == 0)
        othersFolder = shared;
    else if (::stat(system.c_str(), &tmp) == 0 && (tmp.st_mode & S_ISVTX) && (tmp.st_mode & S_IWOTH) &&
             tmp.st_uid != ::geteuid())
        othersFolder = system;

    for (const Saver& saver : kSavers) {
        SCOPED_TRACE(saver.name);
        EXPECT_EQ(saveThrough(shared + "/own.txt", saver), "saved");
        if (othersFolder.empty())
            continue;
        const std::string link = othersFolder + "/kelmora-own-link-" + std::to_string(::getpid());
        EXPECT_EQ(RunInChild({.unprivileged = true}, [&] { return saveThrough(link, saver); }), "saved");
    }
    if (othersFolder.empty())
        GTEST_SKIP() << "no shared folder of another user to save in";
}

TEST(SaveLinks, AChainLongerThanTheSystemFollowsIsAnError)
{
    TempDir dir;
    const std::string target = dir.File("target.wkn");
    // link<n>-<i> points to the next link of its chain; the last one to the target.
    const auto chain = [&](int links) {
        for (int i = 0; i < links; ++i) {
            const std::string next = i + 1 < links ? "chain" + std::to_string(links) + "-" + std::to_string(i + 1)
                                                   : std::string("target.wkn");
            std::filesystem::create_symlink(next,
                                            dir.Path() / ("chain" + std::to_string(links) + "-" + std::to_string(i)));
        }
        return dir.File("chain" + std::to_string(links) + "-0");
    };
    const std::string longest = chain(40);
    const std::string tooLong = chain(41);
    const std::string farTooLong = chain(45);
    // The same limit as the system's own.
    errno = 0;
    EXPECT_EQ(::open(tooLong.c_str(), O_RDONLY | O_CLOEXEC), -1);
    EXPECT_EQ(errno, ELOOP);
    for (const Saver& saver : kSavers) {
        SCOPED_TRACE(saver.name);
        WriteBytes(target, kOld);
        for (const std::string& path : {tooLong, farTooLong}) {
            EXPECT_EQ(saver.save({path, dir.File("spare")}), CannotCreate(path));
            EXPECT_EQ(ReadBytes(target), kOld);
        }
        EXPECT_EQ(EntriesIn(dir.Path()), 40u + 41u + 45u + 2u);
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
            EXPECT_TRUE(entry.is_symlink() || entry.path().filename() == "target.wkn" ||
                        entry.path().filename() == "spare")
                << entry.path();
        EXPECT_EQ(saver.save({longest, dir.File("spare")}), "saved");
        EXPECT_EQ(ReadBytes(target), saver.bytes(1));
    }
}

TEST(SaveFaults, AKilledSaveLeavesNothingBehind)
{
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "out");
    const std::string path = dir.File("out/results.txt");
    WriteBytes(path, kOld);
    // The save is killed while its temporary file is open: the child's descriptors show when.
    bool killedWhileWriting = false;
    for (std::size_t size = std::size_t{32} << 20; !killedWhileWriting && size <= (std::size_t{512} << 20); size *= 2) {
        const std::string bytes(size, 'x');
        const pid_t pid = ::fork();
        if (pid == 0) {
            try {
                WriteFileSafely(path, bytes);
            } catch (...) {}
            ::_exit(0);
        }
        const std::string fds = "/proc/" + std::to_string(pid) + "/fd";
        const std::string inside = dir.File("out/");
        while (!killedWhileWriting) {
            std::error_code ec;
            bool open = false;
            for (const auto& entry : std::filesystem::directory_iterator(fds, ec)) {
                std::error_code linkError;
                if (std::filesystem::read_symlink(entry.path(), linkError).string().starts_with(inside))
                    open = true;
            }
            if (open) {
                ::kill(pid, SIGKILL);
                killedWhileWriting = true;
            }
            int status = 0;
            if (ec || ::waitpid(pid, &status, WNOHANG) == pid)
                break;
        }
        ::waitpid(pid, nullptr, 0);
        if (!killedWhileWriting)
            WriteBytes(path, kOld);
    }
    if (!killedWhileWriting)
        GTEST_SKIP() << "every save finished before it could be killed";
    EXPECT_EQ(ReadBytes(path), kOld);
    EXPECT_EQ(EntriesIn(dir.File("out")), 1u);
}

TEST(SaveFaults, WithoutProcANamedTemporaryFileServes)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to hide /proc in a mount namespace";
    TempDir dir;
    const std::string path = dir.File("results.txt");
    for (const Saver& saver : kSavers) {
        SCOPED_TRACE(saver.name);
        WriteBytes(path, kOld);
        const std::string outcome = RunInChild({}, [&]() -> std::string {
            if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                ::umount2("/proc", MNT_DETACH) != 0)
                return "no mount";
            const std::string failed = RunInChild({.fileSizeLimit = 4096}, [&] {
                return saver.save({path, dir.File("spare"), 8192});
            });
            return failed + " | " + saver.save({path, dir.File("spare")});
        });
        if (outcome == "no mount")
            GTEST_SKIP() << "this system lets no test change its mounts";
        EXPECT_EQ(outcome, kWriteError + " | saved");
        EXPECT_EQ(ReadBytes(path), saver.bytes(1));
        EXPECT_EQ(EntriesIn(dir.Path()), 2u);
    }
}

TEST(SaveKeeps, PermissionsAndLinks)
{
    TempDir dir;
    const std::string target = dir.File("target.wkn");
    const std::string link = dir.File("link.wkn");
    WriteBytes(target, "old");
    ::chmod(target.c_str(), 0640);
    std::filesystem::create_symlink("target.wkn", link);
    EXPECT_EQ(Outcome([&] { WriteFileSafely(link, "new\r\n"); }), "saved");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(target), "new\r\n");
    struct stat st {};
    ::stat(target.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(EntriesIn(dir.Path()), 2u);
}

TEST(SaveKeeps, TheOwnerAndItsSetIdBitsAsRoot)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to save over a file of another user";
    SharedDir dir;
    const std::string path = dir.File("tool");
    WriteBytes(path, "old");
    ::chown(path.c_str(), kNobody, kNobody);
    ::chmod(path.c_str(), 06755);
    EXPECT_EQ(Outcome([&] { WriteFileSafely(path, "new"); }), "saved");
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_uid, kNobody);
    EXPECT_EQ(st.st_gid, kNobody);
    EXPECT_EQ(st.st_mode & 07777, 06755u);

    // A user who may write root's file but not give it away becomes its owner, without the
    // set-id bits that would run it as them.
    const std::string roots = dir.File("roots");
    WriteBytes(roots, "old");
    ::chmod(roots.c_str(), 06777);
    EXPECT_EQ(RunInChild({.unprivileged = true}, [&] { return Outcome([&] { WriteFileSafely(roots, "new"); }); }),
              "saved");
    ::stat(roots.c_str(), &st);
    EXPECT_EQ(ReadBytes(roots), "new");
    EXPECT_EQ(st.st_uid, kNobody);
    EXPECT_EQ(st.st_mode & 07777, 0777u);
    // Nor does their own file keep set-gid for a group it could not be given back to.
    ::chown(roots.c_str(), kNobody, 0);
    ::chmod(roots.c_str(), 02775);
    EXPECT_EQ(RunInChild({.unprivileged = true}, [&] { return Outcome([&] { WriteFileSafely(roots, "new"); }); }),
              "saved");
    ::stat(roots.c_str(), &st);
    EXPECT_EQ(st.st_gid, kNobody);
    EXPECT_EQ(st.st_mode & 07777, 0775u);
}

TEST(SaveKeeps, ExtendedAttributesAndAcls)
{
    TempDir dir;
    const std::string path = dir.File("results.txt");
    WriteBytes(path, "old");
    ::chmod(path.c_str(), 0640);
    // An access ACL in the kernel's format: version 2, then (tag, permissions, id) entries.
    const auto entry = [](std::uint16_t tag, std::uint16_t perm, std::uint32_t id) {
        std::string bytes(8, '\0');
        std::memcpy(bytes.data(), &tag, 2);
        std::memcpy(bytes.data() + 2, &perm, 2);
        std::memcpy(bytes.data() + 4, &id, 4);
        return bytes;
    };
    const std::uint32_t version = 2;
    std::string acl(reinterpret_cast<const char*>(&version), 4);
    acl +=
        entry(0x01, 6, ~0u) + entry(0x02, 4, kNobody) + entry(0x04, 4, ~0u) + entry(0x10, 4, ~0u) + entry(0x20, 0, ~0u);
    const std::string note = "kept";
    if (::setxattr(path.c_str(), "user.kelmora", note.data(), note.size(), 0) != 0 ||
        ::setxattr(path.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0)
        GTEST_SKIP() << "the temporary directory's file system keeps no extended attributes or ACLs";
    const auto attribute = [&](const char* name) {
        std::string value(256, '\0');
        const ssize_t n = ::getxattr(path.c_str(), name, value.data(), value.size());
        value.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
        return value;
    };
    const std::string aclBefore = attribute("system.posix_acl_access");
    EXPECT_EQ(Outcome([&] { WriteFileSafely(path, "new"); }), "saved");
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(attribute("user.kelmora"), note);
    EXPECT_EQ(attribute("system.posix_acl_access"), aclBefore);
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(SaveFaults, AFifoIsWrittenOnlyWhenSomeoneReadsIt)
{
    TempDir dir;
    const std::string fifo = dir.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const Saver& saver : kSavers) {
        SCOPED_TRACE(saver.name);
        EXPECT_EQ(saver.save({fifo, dir.File("spare")}), CannotCreate(fifo));

        std::string received;
        const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
        ASSERT_GE(reader, 0);
        std::thread drain([&] {
            // Until a writer comes the pipe shows no end, so wait for its first bytes.
            pollfd ready{reader, POLLIN, 0};
            ::poll(&ready, 1, -1);
            ::fcntl(reader, F_SETFL, 0);
            char buffer[4096];
            for (ssize_t n; (n = ::read(reader, buffer, sizeof buffer)) > 0;)
                received.append(buffer, static_cast<std::size_t>(n));
        });
        EXPECT_EQ(saver.save({fifo, dir.File("spare"), 1 << 17}), "saved");
        drain.join();
        ::close(reader);
        EXPECT_EQ(received, saver.bytes(1 << 17));
        struct stat st {};
        ::lstat(fifo.c_str(), &st);
        EXPECT_TRUE(S_ISFIFO(st.st_mode));
    }
}

TEST(SaveFaults, DevicesAreWrittenDirectlyAndAFullDeviceIsAWriteError)
{
    TempDir dir;
    for (const Saver& saver : kSavers) {
        SCOPED_TRACE(saver.name);
        EXPECT_EQ(saver.save({"/dev/null", dir.File("spare")}), "saved");
        EXPECT_EQ(saver.save({"/dev/full", dir.File("spare")}), kWriteError);
    }
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

TEST(SaveFaults, TheLongestFileNameSaves)
{
    TempDir dir;
    const std::string path = dir.File(std::string(NAME_MAX, 'n'));
    for (const Saver& saver : kSavers) {
        SCOPED_TRACE(saver.name);
        EXPECT_EQ(saver.save({path, dir.File("spare")}), "saved");
        EXPECT_EQ(ReadBytes(path), saver.bytes(1));
        EXPECT_EQ(EntriesIn(dir.Path()), 2u);
    }
}

namespace {

// The two ways a list is read from a file. Each starts from a list with entries, which a
// failed open must leave as they were, and which must still work afterwards.
std::string OpenLineFile(const std::string& path)
{
    TLineList list{"kept", ""};
    const std::string outcome = Outcome([&] { ReadLineFile(path, list); });
    if (outcome == "saved")
        return "opened " + std::to_string(list.size());
    const bool unchanged = list == TLineList{"kept", ""};
    list.push_back("more");
    return AfterFailure(outcome, unchanged, list.size() == 3);
}

std::string OpenTicketList(const std::string& path)
{
    TTicketList tickets;
    tickets.Add("kept");
    const std::string outcome = Outcome([&] { tickets.Open(path); });
    if (outcome == "saved")
        return "opened " + std::to_string(tickets.Count());
    const bool unchanged = tickets.Entries() == TLineList{"kept"};
    tickets.Add("more");
    return AfterFailure(outcome, unchanged, tickets.Delete(0) && tickets.Entries() == TLineList{"more"});
}

struct Opener {
    const char* name;
    std::string (*open)(const std::string& path);
};

const Opener kOpeners[] = {{"ReadLineFile", OpenLineFile}, {"TTicketList::Open", OpenTicketList}};

} // namespace

TEST(OpenFaults, EveryPathThatIsNotAReadableFile)
{
    SharedDir dir;
    const std::string secret = dir.File("secret.wkn");
    WriteBytes(secret, "1\r\n2\r\n");
    ::chmod(secret.c_str(), 0600);
    std::filesystem::create_directory(dir.Path() / "sub");
    std::filesystem::create_symlink("missing.wkn", dir.Path() / "dangling");
    std::filesystem::create_symlink("loop2", dir.Path() / "loop1");
    std::filesystem::create_symlink("loop1", dir.Path() / "loop2");
    const std::string fifo = dir.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    const bool root = ::geteuid() == 0;

    for (const Opener& opener : kOpeners) {
        SCOPED_TRACE(opener.name);
        // Root reads every file, so only another user shows an unreadable one there.
        if (!root)
            ::chmod(secret.c_str(), 0);
        EXPECT_EQ(RunInChild({.unprivileged = true}, [&] { return opener.open(secret); }), CannotOpen(secret));
        ::chmod(secret.c_str(), 0600);
        EXPECT_EQ(opener.open(secret), "opened 2");
        for (const std::string& path : {dir.File("sub"), dir.File("gone/x.wkn"), dir.File("dangling"),
                                        dir.File("loop1"), fifo, dir.File("secret.wkn/x")})
            EXPECT_EQ(opener.open(path), CannotOpen(path));
        // Devices are not ticket files; an endless one must not be read until memory runs out.
        for (const std::string path : {"/dev/null", "/dev/zero"})
            EXPECT_EQ(opener.open(path), CannotOpen(path));
    }
}

TEST(OpenFaults, LinksAndReadOnlyDirectoriesOpen)
{
    SharedDir dir;
    std::filesystem::create_directory(dir.Path() / "locked");
    WriteBytes(dir.File("locked/t.wkn"), "1\n\n2");
    std::filesystem::create_symlink("locked/t.wkn", dir.Path() / "link");
    ::chmod(dir.File("locked").c_str(), 0555);
    for (const Opener& opener : kOpeners) {
        SCOPED_TRACE(opener.name);
        EXPECT_EQ(RunInChild({.unprivileged = true}, [&] { return opener.open(dir.File("locked/t.wkn")); }),
                  "opened 3");
        EXPECT_EQ(opener.open(dir.File("link")), "opened 3");
    }
}

// Until Commit the old file is untouched and nothing else is in its folder under a name; a
// writer dropped or discarded part-way leaves exactly that, and is done with.
TEST(SaveInPieces, NothingShowsBeforeCommitAndADroppedWriterLeavesNoTrace)
{
    TempDir dir;
    const std::string path = (dir.Path() / "report.txt").string();
    WriteBytes(path, kOld);
    {
        TSafeFileWriter writer;
        writer.Open(path);
        writer.Write("first piece\r\n");
        EXPECT_EQ(ReadBytes(path), kOld);
        EXPECT_EQ(EntriesIn(dir.Path()), 1u);
    }
    EXPECT_EQ(ReadBytes(path), kOld);
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);

    TSafeFileWriter writer;
    writer.Open(path);
    writer.Write(std::string(1 << 20, 'a'));
    writer.Discard();
    EXPECT_EQ(Outcome([&] { writer.Write("late"); }), kWriteError);
    EXPECT_EQ(Outcome([&] { writer.Commit(); }), kWriteError);
    EXPECT_EQ(ReadBytes(path), kOld);
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);

    // Many pieces, some empty, arrive whole and in order; a second Commit has nothing to commit.
    writer.Open(path);
    std::string expected;
    for (int i = 0; i < 1000; ++i) {
        const std::string piece = i % 7 == 0 ? "" : std::to_string(i) + std::string(static_cast<std::size_t>(i), 'x');
        writer.Write(piece);
        expected += piece;
    }
    writer.Commit();
    EXPECT_EQ(ReadBytes(path), expected);
    EXPECT_EQ(Outcome([&] { writer.Commit(); }), kWriteError);
    EXPECT_EQ(ReadBytes(path), expected);
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

// A failed Open (a path that is a directory) leaves nothing half open: writing is refused.
TEST(SaveInPieces, AFailedOpenRefusesWrites)
{
    TempDir dir;
    TSafeFileWriter writer;
    EXPECT_EQ(Outcome([&] { writer.Open(dir.Path().string()); }), CannotCreate(dir.Path().string()));
    EXPECT_EQ(Outcome([&] { writer.Write("x"); }), kWriteError);
    EXPECT_EQ(Outcome([&] { writer.Commit(); }), kWriteError);
}
