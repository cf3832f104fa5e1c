// The guards of a save that an attacker or an accident would go around: links anywhere on the
// path, an in-place rewrite killed part-way, privileges a write clears, and messages that say
// which file and why.

#include "core/files/KeptCopiesFolder.h"
#include "core/files/SafeFileWriter.h"
#include "tests/core/ChildProcess.h"
#include "tests/core/SaveOutcome.h"
#include "tests/core/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace kelmora;
using namespace kelmora::test;

namespace {

mode_t ModeOf(const std::string& path)
{
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

} // namespace

// A folder link on the way, not only a link at the end, is held to the shared-folder rule,
// whatever the system's own protected_symlinks says.
TEST(SaveLinks, AFolderLinkPlantedInASharedFolderIsNotFollowed)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to plant a link owned by another user";
    TempDir dir;
    const std::string shared = dir.File("shared");
    const std::string secret = dir.File("secret");
    std::filesystem::create_directory(shared);
    std::filesystem::create_directory(secret);
    ::chmod(shared.c_str(), 01777);
    ::chmod(secret.c_str(), 0700);
    ASSERT_EQ(::symlink(secret.c_str(), (shared + "/d").c_str()), 0);
    ASSERT_EQ(::lchown((shared + "/d").c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(::symlink("d", (shared + "/via").c_str()), 0); // the saver's own link, to the planted one

    for (const std::string& path : {shared + "/d/r.txt", shared + "/via/r.txt", shared + "/d/../secret/r.txt"}) {
        EXPECT_EQ(ErrorOf([&] { WriteFileSafely(path, "results"); }),
                  "ファイル " + path +
                      " を作成できません: 共有フォルダーにある他のユーザーのシンボリックリンクは辿りません");
        EXPECT_TRUE(std::filesystem::is_empty(secret)) << path;
    }
    // The saver's own link to a folder is followed.
    ASSERT_EQ(::symlink(secret.c_str(), (shared + "/mine").c_str()), 0);
    EXPECT_EQ(ErrorOf([&] { WriteFileSafely(shared + "/mine/r.txt", "results"); }), "saved");
    EXPECT_EQ(ReadBytes(secret + "/r.txt"), "results");
}

// Any user: links to folders, relative and absolute, chained, and through "..", all land where
// the system would put them.
TEST(SaveLinks, FolderLinksOnTheWayAreFollowed)
{
    TempDir dir;
    std::filesystem::create_directories(dir.Path() / "a" / "b");
    std::filesystem::create_directory_symlink("a/b", dir.Path() / "rel");
    std::filesystem::create_directory_symlink(dir.Path() / "a", dir.Path() / "abs");
    std::filesystem::create_directory_symlink("../abs/b", dir.Path() / "a" / "up");
    std::filesystem::create_symlink("../b/f.txt", dir.Path() / "a" / "b" / "last");
    for (const std::string& path : {dir.File("rel/f.txt"), dir.File("abs/b/f.txt"), dir.File("a/up/f.txt"),
                                    dir.File("a/b/../b/./f.txt"), dir.File("abs/b/last")}) {
        EXPECT_EQ(ErrorOf([&] { WriteFileSafely(path, path); }), "saved");
        EXPECT_EQ(ReadBytes(dir.File("a/b/f.txt")), path);
    }
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path() / "a" / "b" / "last"));
    EXPECT_EQ(ErrorOf([&] { WriteFileSafely(dir.File("a/b/f.txt/x"), "x"); }),
              "ファイル " + dir.File("a/b/f.txt/x") + " を作成できません: 途中のパスがディレクトリではありません");
}

// A write clears set-id bits (for a saver without CAP_FSETID) and capabilities (for anyone):
// the saver's own file gets them back once its bytes are written, replaced or rewritten in place.
TEST(SaveKeeps, ASetUserIdFileOfTheSaversOwnStaysSo)
{
    SharedDir dir;
    std::filesystem::create_directory(dir.Path() / "locked");
    ::chmod(dir.File("locked").c_str(), 0777);
    for (const std::string& path : {dir.File("tool"), dir.File("locked/tool")}) {
        SCOPED_TRACE(path);
        WriteBytes(path, "old");
        (void)::chown(path.c_str(), kNobody, kNobody);
        ::chmod(path.c_str(), 04755);
        if (path == dir.File("locked/tool"))
            ::chmod(dir.File("locked").c_str(), 0555); // rewritten in place
        EXPECT_EQ(RunInChild({.unprivileged = true},
                             [&] {
                                 ::setenv("XDG_CACHE_HOME", dir.File("cache").c_str(), 1);
                                 return ErrorOf([&] { WriteFileSafely(path, "new"); });
                             }),
                  "saved");
        EXPECT_EQ(ReadBytes(path), "new");
        EXPECT_EQ(ModeOf(path), 04755u);
    }
}

TEST(SaveKeeps, TheCapabilitiesOfTheSaversOwnFile)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give a file capabilities";
    TempDir dir;
    const std::string path = dir.File("tool");
    WriteBytes(path, "old");
    // Revision 2, effective, permitting CAP_NET_BIND_SERVICE.
    const unsigned char capability[20] = {0x01, 0, 0, 0x02, 0, 0x04, 0, 0};
    if (::setxattr(path.c_str(), "security.capability", capability, sizeof capability, 0) != 0)
        GTEST_SKIP() << "the temporary folder's file system keeps no capabilities";
    EXPECT_EQ(ErrorOf([&] { WriteFileSafely(path, "new"); }), "saved");
    unsigned char kept[32] = {};
    EXPECT_EQ(::getxattr(path.c_str(), "security.capability", kept, sizeof kept), 20);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(kept), 20),
              std::string(reinterpret_cast<const char*>(capability), 20));
}

// No system can make an in-place rewrite atomic: killed part-way, it leaves the old bytes in the
// cache folder, where they can be taken back.
TEST(SaveFaults, AKilledInPlaceRewriteLeavesTheOldBytesInTheCache)
{
    SharedDir dir;
    std::filesystem::create_directory(dir.Path() / "locked");
    const std::string path = dir.File("locked/results.txt");
    const std::string kept = dir.File("cache/kelmora");
    bool killedMidway = false;
    for (std::size_t size = std::size_t{32} << 20; !killedMidway && size <= (std::size_t{256} << 20); size *= 2) {
        ::chmod(dir.File("locked").c_str(), 0755);
        const std::string old(size, 'o');
        WriteBytes(path, old);
        (void)::chown(path.c_str(), kNobody, kNobody);
        ::chmod(dir.File("locked").c_str(), 0555);
        std::filesystem::remove_all(dir.File("cache"));
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
                ::_exit(3);
            ::setenv("XDG_CACHE_HOME", dir.File("cache").c_str(), 1);
            try {
                WriteFileSafely(path, std::string(size, 'n'));
            } catch (...) {}
            ::_exit(0);
        }
        // Killed as soon as the first new byte is in the file.
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        bool exited = false;
        for (char first = 'o'; !exited;) {
            if (::pread(fd, &first, 1, 0) == 1 && first == 'n') {
                ::kill(pid, SIGKILL);
                break;
            }
            exited = ::waitpid(pid, nullptr, WNOHANG) == pid;
        }
        ::close(fd);
        if (!exited)
            ::waitpid(pid, nullptr, 0);
        const std::string now = ReadBytes(path);
        killedMidway = !exited && now != std::string(size, 'n');
        if (!killedMidway)
            continue;
        ASSERT_TRUE(std::filesystem::exists(kept)) << "no copy of the old bytes";
        ASSERT_EQ(std::distance(std::filesystem::directory_iterator(kept), {}), 1);
        const auto copy = *std::filesystem::directory_iterator(kept);
        EXPECT_EQ(ReadBytes(copy.path().string()), old);
        EXPECT_TRUE(copy.path().filename().string().starts_with("results.txt.")) << copy.path();
    }
    if (!killedMidway)
        GTEST_SKIP() << "every rewrite finished before it could be killed";
}

// Every failure names the file and says why, in Japanese whatever the locale.
TEST(SaveReasons, NameTheFileAndTheSystemsReason)
{
    SharedDir dir;
    const std::string path = dir.File("r.txt");
    EXPECT_EQ(RunInChild({.fileSizeLimit = 4}, [&] { return ErrorOf([&] { WriteFileSafely(path, "too long"); }); }),
              "ストリームへの書き込みエラー (ファイル " + path + "): ファイルが大きすぎます");
    EXPECT_EQ(ErrorOf([&] { WriteFileSafely("/dev/full", "x"); }),
              "ストリームへの書き込みエラー (ファイル /dev/full): デバイスに空き領域がありません");
    EXPECT_EQ(ErrorOf([&] { WriteFileSafely(dir.File("gone/r.txt"), "x"); }),
              "ファイル " + dir.File("gone/r.txt") + " を作成できません: そのようなファイルやディレクトリはありません");
    for (int i = 0; i < 41; ++i)
        std::filesystem::create_symlink(i < 40 ? "l" + std::to_string(i + 1) : std::string("r.txt"),
                                        dir.Path() / ("l" + std::to_string(i)));
    EXPECT_EQ(ErrorOf([&] { WriteFileSafely(dir.File("l0"), "x"); }),
              "ファイル " + dir.File("l0") + " を作成できません: シンボリックリンクの階層が多すぎます");
}

// Two in-place saves of one file at once, from two threads of a saver that may not create in its
// folder: they take turns, and the file ends as one of them whole.
TEST(SaveFaults, TwoInPlaceSavesOfOneFileTakeTurns)
{
    SharedDir dir;
    std::filesystem::create_directory(dir.Path() / "locked");
    const std::string path = dir.File("locked/results.txt");
    const std::string outputs[2] = {std::string(std::size_t{24} << 20, 'a'), std::string(std::size_t{16} << 20, 'b')};
    for (int round = 0; round < 3; ++round) {
        WriteBytes(path, "old");
        (void)::chown(path.c_str(), kNobody, kNobody);
        ::chmod(dir.File("locked").c_str(), 0555);
        EXPECT_EQ(RunInChild({.unprivileged = true}, [&] {
            ::setenv("XDG_CACHE_HOME", dir.File("cache").c_str(), 1);
            std::string second;
            std::thread other([&] { second = ErrorOf([&] { WriteFileSafely(path, outputs[1]); }); });
            const std::string first = ErrorOf([&] { WriteFileSafely(path, outputs[0]); });
            other.join();
            return first + " " + second;
        }), "saved saved");
        const std::string now = ReadBytes(path);
        EXPECT_TRUE(now == outputs[0] || now == outputs[1]) << "mixed: " << now.size() << " bytes";
        ::chmod(dir.File("locked").c_str(), 0777);
    }
}

// The cache folder is walked like a save's path, must be the saver's and closed to others, and
// is made only in a folder of the saver's own.
TEST(SaveGuards, AnUnsafeCacheFolderRefusesTheRewriteAndSaysWhy)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give folders and links to other users";
    constexpr uid_t kOtherUser = 4321;
    // The saver is root or nobody; the cache is HOME/.cache, not yet made, in a HOME of `owner`,
    // or a link to a root-only folder planted by another user in a shared folder, or a folder.
    const struct {
        const char* name;
        bool byRoot, viaHome, planted;
        uid_t owner;
        mode_t mode;
        std::string refusal; // empty: opened
    } cases[] = {
        {"a planted link", true, false, true, 0, 0, "共有フォルダーにある他のユーザーのシンボリックリンクは辿りません"},
        {"another user's folder", false, false, false, kOtherUser, 0755, "保存するユーザーのフォルダーではありません"},
        {"a folder others may write in", false, false, false, kNobody, 0777, "他のユーザーも書き込めます"},
        {"root with another user's HOME", true, true, false, kOtherUser, 0755, "他のユーザーのフォルダーの中には作りません"},
        {"the saver's own HOME", false, true, false, kNobody, 0755, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SharedDir dir;
        std::string cache = dir.File(c.viaHome ? "home/.cache" : "c");
        std::filesystem::create_directories(dir.File(c.planted ? "sticky" : c.viaHome ? "home" : "c"));
        std::filesystem::create_directory(dir.File("rootonly"));
        ::chmod(dir.File("rootonly").c_str(), 0700);
        if (c.planted) {
            cache = dir.File("sticky/c");
            ::chmod(dir.File("sticky").c_str(), 01777);
            ASSERT_EQ(::symlink(dir.File("rootonly").c_str(), cache.c_str()), 0);
            ASSERT_EQ(::lchown(cache.c_str(), kOtherUser, kOtherUser), 0);
        } else {
            const std::string made = c.viaHome ? dir.File("home") : cache;
            ASSERT_EQ(::chown(made.c_str(), c.owner, c.owner), 0);
            ::chmod(made.c_str(), c.mode);
        }
        const std::string outcome = RunInChild({.unprivileged = !c.byRoot}, [&] {
            ::unsetenv("XDG_CACHE_HOME");
            ::setenv(c.viaHome ? "HOME" : "XDG_CACHE_HOME", c.viaHome ? dir.File("home").c_str() : cache.c_str(), 1);
            return ErrorOf([] { (void)TKeptCopiesFolder::Open("/x/r.txt"); });
        });
        if (struct stat st {}; c.refusal.empty()) {
            EXPECT_EQ(outcome, "saved");
            EXPECT_TRUE(::stat((cache + "/kelmora").c_str(), &st) == 0 && st.st_uid == kNobody && (st.st_mode & 0777) == 0700);
        } else {
            EXPECT_EQ(outcome, "ファイル /x/r.txt を書き換えられません (フォルダーに書き込めないため直接書き換えることになりますが、"
                               "元の内容を退避できません): キャッシュフォルダー " + cache + ": " + c.refusal);
            EXPECT_TRUE(c.viaHome ? !std::filesystem::exists(cache) : std::filesystem::is_empty(dir.File("rootonly")));
        }
    }
}

// A cache folder with no room: the message names it, not the file being saved, which keeps its
// bytes.
TEST(SaveReasons, AFullCacheFolderIsNamed)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to mount a small file system of its own";
    SharedDir dir;
    std::filesystem::create_directories(dir.Path() / "locked");
    std::filesystem::create_directory(dir.Path() / "cache");
    const std::string path = dir.File("locked/r.txt");
    WriteBytes(path, "old");
    (void)::chown(path.c_str(), kNobody, kNobody);
    ::chmod(dir.File("locked").c_str(), 0555);
    const std::string outcome = RunInChild({}, [&]() -> std::string {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("kelmora-test", dir.File("cache").c_str(), "tmpfs", 0, "size=64k,mode=0755,uid=65534") != 0)
            return "no mount";
        return RunInChild({.unprivileged = true}, [&] {
            ::setenv("XDG_CACHE_HOME", dir.File("cache").c_str(), 1);
            return ErrorOf([&] { WriteFileSafely(path, std::string(1 << 20, 'n')); });
        });
    });
    if (outcome == "no mount")
        GTEST_SKIP() << "this system lets no test mount a file system";
    EXPECT_EQ(outcome, "ストリームへの書き込みエラー (ファイル " + path + " の保存中、キャッシュフォルダー " +
                  dir.File("cache") + "/kelmora): デバイスに空き領域がありません");
    EXPECT_EQ(ReadBytes(path), "old");
}
