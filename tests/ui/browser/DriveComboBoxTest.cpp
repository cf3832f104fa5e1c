#include "ui/browser/DriveComboBox.h"

#include "tests/ui/browser/BrowserTestSupport.h"
#include "ui/browser/DirectoryListBox.h"
#include "ui/browser/FileListBox.h"

#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace kelmora::ui {
namespace {

using test::BrowserTree;
using test::ErrorText;

class DriveComboBoxTest : public testing::Test {
protected:
    DriveComboBoxTest()
    {
        tree.Mounts("2 1 8:9 / @/disk rw - ext4 /dev/sdz9 rw\n"
                    "3 1 8:1 / @/usb rw - vfat /dev/sdy1 rw\n"
                    "4 1 0:40 / @/nas rw - cifs //Server/Share rw\n"
                    "5 1 11:0 / @/cd ro - iso9660 /dev/sr0 ro\n"
                    "6 1 0:41 / @/ram rw - tmpfs tmpfs rw\n"
                    "7 1 0:42 / @/gone rw - ext4 /dev/sdx1 rw\n");
        for (const char* dir : {"disk/draws", "usb/old", "nas", "cd", "ram"})
            tree.Dir(dir);
        tree.File("disk/draws/a.wkx");
        tree.File("usb/b.wkx");
        tree.Enter("disk/draws");

        // As the main window builds the browser: inside one window, linked, nothing listed.
        drives = new TDriveComboBox(&window);
        dirs = new TDirectoryListBox(&window);
        files = new TFileListBox(&window);
        drives->setGeometry(8, 8, 145, 18);
        dirs->setGeometry(8, 32, 145, 185);
        files->setGeometry(160, 8, 385, 177);
        drives->SetDirList(dirs);
        dirs->SetFileList(files);
        files->SetMask(QStringLiteral("*.wkx"));
        platform::TVolumeProbe probe;
        probe.label = [](const std::string& source) { return source == "/dev/sdz9" ? "DATA" : ""; };
        probe.removable = [](const std::string& source) { return source == "/dev/sdy1"; };
        drives->SetVolumeProbe(probe);
    }

    BrowserTree tree;
    QWidget window;
    TDriveComboBox* drives;
    TDirectoryListBox* dirs;
    TFileListBox* files;
};

TEST_F(DriveComboBoxTest, StartsOnTheCurrentDirectoryWithNothingSelected)
{
    QSignalSpy changes(files, &TFileListBox::Change);
    window.show();

    std::vector<std::string> texts;
    for (const TDriveEntry& entry : drives->Drives())
        texts.push_back(entry.text);
    const std::string& root = tree.Root();
    EXPECT_EQ(texts,
              (std::vector<std::string>{"/", root + "/cd", root + "/disk: [data]", root + "/nas: //server/share",
                                        root + "/ram", root + "/usb:"}));
    EXPECT_EQ(drives->Drive(), tree.Path("disk"));
    EXPECT_EQ(drives->currentIndex(), 2);

    EXPECT_EQ(dirs->Directory(), tree.Path("disk/draws"));
    EXPECT_EQ(dirs->Entries()[static_cast<size_t>(dirs->HighlightedIndex())].kind, TDirectoryEntryKind::Own);
    EXPECT_EQ(files->FileNames(), std::vector<std::string>{"a.wkx"});
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(files->SelectedFilePath(), "");
}

TEST_F(DriveComboBoxTest, ChoosingAVolumeReturnsToTheLastDirectoryBrowsedOnIt)
{
    window.show();
    drives->ChooseDrive(tree.Path("usb"));
    EXPECT_EQ(dirs->Directory(), tree.Path("usb"));
    EXPECT_EQ(files->FileNames(), std::vector<std::string>{"b.wkx"});
    dirs->EnterDirectory(tree.Path("usb/old"));

    drives->ChooseDrive(tree.Path("disk"));
    EXPECT_EQ(dirs->Directory(), tree.Path("disk/draws"));
    EXPECT_EQ(files->Directory(), tree.Path("disk/draws"));
    EXPECT_EQ(test::CurrentDirectory(), tree.Path("disk/draws"));

    // The user's choice in the drop-down list does the same.
    drives->setCurrentIndex(5);
    emit drives->activated(5);
    EXPECT_EQ(dirs->Directory(), tree.Path("usb/old"));
    EXPECT_EQ(drives->Drive(), tree.Path("usb"));
}

TEST_F(DriveComboBoxTest, EnteringADirectoryOnAnotherVolumeChoosesThatVolume)
{
    window.show();
    dirs->EnterDirectory(tree.Path("nas"));
    EXPECT_EQ(drives->Drive(), tree.Path("nas"));
    EXPECT_EQ(drives->currentIndex(), 3);
    EXPECT_EQ(dirs->Directory(), tree.Path("nas"));
    EXPECT_EQ(files->Directory(), tree.Path("nas"));

    dirs->EnterDirectory(dirs->EntryPath(0));
    EXPECT_EQ(drives->Drive(), "/");
    EXPECT_EQ(drives->currentIndex(), 0);
    EXPECT_EQ(dirs->Directory(), "/");
}

TEST_F(DriveComboBoxTest, AFailedSwitchLeavesListsAndChooserOnTheOldVolume)
{
    window.show();
    chmod(tree.Path("ram").c_str(), 0);
    const auto entries = dirs->Entries();
    {
        const test::WithoutPermissionOverride asUser;
        EXPECT_EQ(ErrorText([&] { drives->ChooseDrive(tree.Path("ram")); }), "ファイルへのアクセスが拒否されました");
    }
    EXPECT_EQ(dirs->Entries(), entries);
    EXPECT_EQ(dirs->Directory(), tree.Path("disk/draws"));
    EXPECT_EQ(test::CurrentDirectory(), tree.Path("disk/draws"));
    EXPECT_EQ(drives->Drive(), tree.Path("disk"));
    EXPECT_EQ(drives->currentIndex(), 2);

    // Once it can be entered, the same choice goes through.
    chmod(tree.Path("ram").c_str(), 0755);
    drives->ChooseDrive(tree.Path("ram"));
    EXPECT_EQ(dirs->Directory(), tree.Path("ram"));
}

} // namespace
} // namespace kelmora::ui
