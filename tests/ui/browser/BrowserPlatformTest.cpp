#include "tests/ui/browser/BrowserTestSupport.h"
#include "ui/platform/FileNames.h"
#include "ui/platform/IoError.h"
#include "ui/platform/MountTable.h"
#include "ui/platform/VolumeProbe.h"
#include "ui/platform/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kelmora::ui::platform {
namespace {

using test::BrowserTree;
using test::ErrorText;

TEST(IoErrorTest, ErrnoValuesGiveTheTextsOfTheirCodes)
{
    EXPECT_EQ(ErrorText([] { ThrowIoError(ENOENT); }), "不正なファイル名です");
    EXPECT_EQ(ErrorText([] { ThrowIoError(ENOTDIR); }), "不正なファイル名です");
    EXPECT_EQ(ErrorText([] { ThrowIoError(EACCES); }), "ファイルへのアクセスが拒否されました");
    EXPECT_EQ(ErrorText([] { ThrowIoError(EPERM); }), "ファイルへのアクセスが拒否されました");
    EXPECT_EQ(ErrorText([] { ThrowIoError(EMFILE); }), "オープンしたファイルが多すぎます");
    EXPECT_EQ(ErrorText([] { ThrowIoError(ENOSPC); }), "ディスクがいっぱいです");
    // Unmapped errno values are reported as themselves, never read as a code of the table.
    EXPECT_EQ(ErrorText([] { ThrowIoError(EIO); }), "I/O エラー (5)");
    EXPECT_EQ(ErrorText([] { ThrowIoError(ENETUNREACH); }), "I/O エラー (101)");
    EXPECT_EQ(IoErrorText(2), "ファイルが見つかりません");
    EXPECT_EQ(IoErrorText(21), "I/O エラー (21)");
}

TEST(FileNamesTest, JoinPathNeverDoublesTheSeparator)
{
    EXPECT_EQ(JoinPath("/", "draw.wkx"), "/draw.wkx");
    EXPECT_EQ(JoinPath("/data/draws", "draw.wkx"), "/data/draws/draw.wkx");
    EXPECT_EQ(JoinPath("/data/", "draw.wkx"), "/data/draw.wkx");
    // Names whose last character ends in the byte 0x5C in Shift-JIS are plain UTF-8 here.
    EXPECT_EQ(JoinPath("/データ/ソ", "表.wkx"), "/データ/ソ/表.wkx");
}

TEST(FileNamesTest, PatternsMatchWithoutRegardToCase)
{
    EXPECT_TRUE(MatchesPattern("DRAW.WKX", "*.wkx"));
    EXPECT_TRUE(MatchesPattern("draw.Wkx", "*.WKX"));
    EXPECT_FALSE(MatchesPattern("draw.wkxx", "*.wkx"));
    EXPECT_FALSE(MatchesPattern("draw.wkx.bak", "*.wkx"));
    EXPECT_TRUE(MatchesPattern("a.wkx", "?.wkx"));
    EXPECT_FALSE(MatchesPattern("ab.wkx", "?.wkx"));
    EXPECT_TRUE(MatchesPattern("README", "*.*"));
    EXPECT_TRUE(MatchesPattern("宝くじ.WKX", "*.wkx"));
    EXPECT_TRUE(MatchesPattern("É.wkx", "?.WKX")); // "?" is one character, not one byte
    EXPECT_TRUE(MatchesPattern("ÉTÉ.wkx", "été.wkx"));
}

TEST(FileNamesTest, SortKeysIgnoreCase)
{
    EXPECT_LT(FoldedSortKey("alpha"), FoldedSortKey("Beta"));
    EXPECT_EQ(FoldedSortKey("ÉTÉ"), FoldedSortKey("été"));
    EXPECT_TRUE(SameFileName("/Data/Draws", "/data/draws"));
    EXPECT_FALSE(SameFileName("/data/ÉTÉ", "/data/été")); // only A to Z change case
}

constexpr const char* kMountInfo = "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
                                   "23 27 0:22 / /sys rw - sysfs sysfs rw\n"
                                   "25 24 0:23 / /dev/shm rw - tmpfs tmpfs rw\n"
                                   "27 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
                                   "30 27 0:30 / /tmp rw - tmpfs tmpfs rw\n"
                                   "31 27 8:17 / /media/u/MY\\040STICK rw shared:5 - vfat /dev/sdb1 rw\n"
                                   "32 27 0:40 / /mnt/nas rw - cifs //Server/Share rw\n"
                                   "33 27 0:41 / /mnt/remote rw - fuse.sshfs kim@host:/srv rw\n"
                                   "34 27 11:0 / /media/cd ro - iso9660 /dev/sr0 ro\n"
                                   "35 27 0:42 / /run/user/1000/gvfs rw - fuse.gvfsd-fuse gvfsd-fuse rw\n"
                                   "36 27 8:2 / /home rw - ext4 /dev/sda2 rw\n"
                                   "37 27 8:3 / /home rw - xfs /dev/sda3 rw\n"
                                   "38 23 0:29 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n";

TEST(MountTableTest, KeepsTheVolumesAPersonBrowsesWithTheirKinds)
{
    TVolumeProbe probe;
    probe.removable = [](const std::string& source) { return source == "/dev/sdb1"; };
    const TMountTable table = TMountTable::Parse(kMountInfo, &probe);
    std::vector<std::string> mountPoints;
    for (const TVolume& volume : table.Volumes())
        mountPoints.push_back(volume.mountPoint);
    EXPECT_EQ(
        mountPoints,
        (std::vector<std::string>{"/", "/home", "/media/cd", "/media/u/MY STICK", "/mnt/nas", "/mnt/remote", "/tmp"}));

    const auto kind = [&](const char* path) { return table.VolumeOf(path)->kind; };
    EXPECT_EQ(kind("/"), TVolumeKind::Fixed);
    EXPECT_EQ(kind("/tmp"), TVolumeKind::RamDisk);
    EXPECT_EQ(kind("/media/u/MY STICK"), TVolumeKind::Removable);
    EXPECT_EQ(kind("/mnt/nas"), TVolumeKind::Network);
    EXPECT_EQ(kind("/mnt/remote"), TVolumeKind::Network);
    EXPECT_EQ(kind("/media/cd"), TVolumeKind::CdRom);
    EXPECT_EQ(table.VolumeOf("/mnt/nas")->source, "//Server/Share");
    EXPECT_EQ(table.VolumeOf("/home")->fileSystem, "xfs"); // the later mount hides the earlier

    EXPECT_FALSE(table.VolumeOf("/media/u/MY STICK")->caseSensitive);
    EXPECT_TRUE(table.VolumeOf("/media/u/MY STICK")->preservesCase);
    EXPECT_TRUE(table.VolumeOf("/home")->caseSensitive);
}

TEST(MountTableTest, SnapPackagesAreNoVolumes)
{
    const TMountTable table =
        TMountTable::Parse("26 1 254:0 / / rw - ext4 /dev/vda rw\n"
                           "50 26 7:1 / /snap/core22/1122 ro,nodev - squashfs /dev/loop1 ro\n"
                           "51 26 7:2 / /snap/firefox/4848 ro,nodev - squashfs /dev/loop2 ro\n"
                           "52 26 7:3 / /var/lib/snapd/snap/core/16202 ro,nodev - squashfs /dev/loop3 ro\n"
                           "53 26 0:40 / /snap rw - tmpfs tmpfs rw\n"
                           "54 26 8:17 / /snapshots rw - ext4 /dev/sdb1 rw\n");
    std::vector<std::string> mountPoints;
    for (const TVolume& volume : table.Volumes())
        mountPoints.push_back(volume.mountPoint);
    EXPECT_EQ(mountPoints, (std::vector<std::string>{"/", "/snapshots"}));
    EXPECT_EQ(table.VolumeOf("/snap/firefox/4848/usr")->mountPoint, "/");
}

TEST(MountTableTest, TheTableIsReadOnceUntilItsSourceChanges)
{
    int reads = 0;
    TMountTable::SetSource([&reads] {
        ++reads;
        return std::string("1 0 8:1 / / rw - ext4 /dev/sda1 rw\n");
    });
    EXPECT_EQ(TMountTable::FindVolume("/home")->mountPoint, "/");
    EXPECT_EQ(TMountTable::Read().Volumes().size(), 1u);
    EXPECT_EQ(reads, 1);
    TMountTable::SetSource([] {
        return std::string("1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
                           "2 1 8:2 / /home rw - xfs /dev/sda2 rw\n");
    });
    EXPECT_EQ(TMountTable::FindVolume("/home")->mountPoint, "/home");
    TMountTable::SetSource({});
}

TEST(MountTableTest, ASystemTableReadEarlierSeesALaterMount)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "mounting needs root";
    TMountTable::SetSource({});
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // A mount namespace of its own, so the mount is seen by this child only.
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            _exit(2);
        TMountTable::SetSource({});
        char directory[] = "/tmp/kelmora-mount-XXXXXX";
        if (!mkdtemp(directory))
            _exit(2);
        const bool before = TMountTable::FindVolume(directory)->mountPoint != directory;
        if (mount("kelmora", directory, "tmpfs", 0, nullptr) != 0)
            _exit(2);
        const auto after = TMountTable::FindVolume(directory);
        const bool seen = after && after->mountPoint == directory && after->kind == TVolumeKind::RamDisk;
        umount(directory);
        rmdir(directory);
        _exit(before && seen ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 2)
        GTEST_SKIP() << "no mount namespace to try in";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(MountTableTest, APathBelongsToTheLongestMountPointAboveIt)
{
    const TMountTable table = TMountTable::Parse(kMountInfo);
    EXPECT_EQ(table.VolumeOf("/home/kim/draws")->mountPoint, "/home");
    EXPECT_EQ(table.VolumeOf("/home")->mountPoint, "/home");
    EXPECT_EQ(table.VolumeOf("/homework")->mountPoint, "/");
    EXPECT_EQ(table.VolumeOf("/")->mountPoint, "/");
    // Without a probe, removable media are not told apart.
    EXPECT_EQ(table.VolumeOf("/media/u/MY STICK/x")->kind, TVolumeKind::Fixed);
}

TEST(MountTableTest, ReadsTheOlderMountsFormatToo)
{
    const TMountTable table = TMountTable::Parse("/dev/sda1 / ext4 rw 0 0\nproc /proc proc rw 0 0\n"
                                                 "/dev/sdc1 /mnt/win ntfs3 rw 0 0\n");
    ASSERT_EQ(table.Volumes().size(), 2u);
    EXPECT_FALSE(table.VolumeOf("/mnt/win/x")->caseSensitive);
}

TEST(VolumeProbeTest, LabelsAndRemovableMediaComeFromDevAndSys)
{
    namespace fs = std::filesystem;
    BrowserTree tree;
    tree.Dir("dev/disk/by-label");
    tree.File("dev/sdb1");
    tree.File("dev/sda2");
    fs::create_symlink("../../sdb1", tree.Path("dev/disk/by-label/MY\\x20STICK"));
    fs::create_symlink("../../sda2", tree.Path("dev/disk/by-label/data"));
    tree.Dir("sys/devices/usb/sdb/sdb1");
    tree.File("sys/devices/usb/sdb/removable", "1\n");
    tree.File("sys/devices/usb/sdb/sdb1/partition", "1\n");
    tree.Dir("sys/devices/ata/sda/sda2");
    tree.File("sys/devices/ata/sda/removable", "0\n");
    tree.File("sys/devices/ata/sda/sda2/partition", "2\n");
    tree.Dir("sys/class/block");
    fs::create_symlink("../../devices/usb/sdb/sdb1", tree.Path("sys/class/block/sdb1"));
    fs::create_symlink("../../devices/ata/sda/sda2", tree.Path("sys/class/block/sda2"));

    const TVolumeProbe probe = TVolumeProbe::System(tree.Root());
    EXPECT_EQ(probe.label("/dev/sdb1"), "MY STICK");
    EXPECT_EQ(probe.label("/dev/sda2"), "data");
    EXPECT_EQ(probe.label("/dev/sdx9"), "");
    EXPECT_EQ(probe.label("tmpfs"), "");
    EXPECT_TRUE(probe.removable("/dev/sdb1"));
    EXPECT_FALSE(probe.removable("/dev/sda2"));
}

TEST(WorkingDirectoryTest, AVolumeReturnsToTheLastDirectoryMadeCurrentOnIt)
{
    BrowserTree tree;
    tree.Mounts("2 1 8:2 / @/disk rw - ext4 /dev/sdb1 rw\n");
    const std::string deep = tree.Dir("disk/a/b");
    TWorkingDirectory::Set(deep);
    TWorkingDirectory::Set(tree.Root());
    TWorkingDirectory::SetVolume(tree.Path("disk"));
    EXPECT_EQ(TWorkingDirectory::Get(), deep);

    // Once that directory is gone, the volume's mount point stands in.
    TWorkingDirectory::Set(tree.Root());
    std::filesystem::remove_all(tree.Path("disk/a"));
    TWorkingDirectory::SetVolume(tree.Path("disk"));
    EXPECT_EQ(TWorkingDirectory::Get(), tree.Path("disk"));

    EXPECT_EQ(ErrorText([&] { TWorkingDirectory::Set(tree.Path("missing")); }), "不正なファイル名です");
}

} // namespace
} // namespace kelmora::ui::platform
