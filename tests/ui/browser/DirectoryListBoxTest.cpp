#include "ui/browser/DirectoryListBox.h"

#include "tests/ui/browser/BrowserTestSupport.h"
#include "ui/browser/FileListBox.h"
#include "ui/widgets/EntryPainting.h"

#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QStyleOptionViewItem>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

namespace kelmora::ui {
namespace {

using test::BrowserTree;
using test::ErrorText;
using Kind = TDirectoryEntryKind;

// The root's own path from "/" down, as the directory list's path entries.
std::vector<TDirectoryEntry> PathEntries(const std::string& directory)
{
    if (directory == "/")
        return {{"/", Kind::Own}};
    std::vector<TDirectoryEntry> entries{{"/", Kind::Path}};
    std::string rest = directory.substr(1);
    for (size_t slash = rest.find('/'); slash != std::string::npos; slash = rest.find('/')) {
        entries.push_back({rest.substr(0, slash), Kind::Path});
        rest.erase(0, slash + 1);
    }
    entries.push_back({rest, Kind::Own});
    return entries;
}

class DirectoryListBoxTest : public testing::Test {
protected:
    DirectoryListBoxTest()
    {
        tree.Mounts();
        tree.File("draws/2024/spring.wkx");
        tree.Dir("draws/2024/beta");
        tree.Dir("draws/2024/Alpha");
        tree.Dir("draws/2024/gamma");
        tree.Dir("draws/2024/.hidden");
        tree.File("draws/2024/beta/summer.wkx");
        tree.File("draws/top.wkx");
    }

    void Make(const std::string& start)
    {
        tree.Enter(start);
        files = std::make_unique<TFileListBox>();
        files->SetMask(QStringLiteral("*.wkx"));
        dirs = std::make_unique<TDirectoryListBox>();
        dirs->SetFileList(files.get());
        dirs->resize(145, 400);
        dirs->ListDirectories();
        files->ListFiles();
    }

    int IndexOf(const std::string& name) const
    {
        const auto& entries = dirs->Entries();
        for (size_t i = 0; i < entries.size(); ++i)
            if (entries[i].name == name)
                return static_cast<int>(i);
        return -1;
    }

    // Everything that should agree after each move: list, file list and current directory.
    void ExpectBrowsing(const std::string& directory) const
    {
        EXPECT_EQ(dirs->Directory(), directory);
        EXPECT_EQ(files->Directory(), directory);
        EXPECT_EQ(test::CurrentDirectory(), directory);
        EXPECT_EQ(dirs->HighlightedIndex(), static_cast<int>(PathEntries(directory).size()) - 1);
    }

    BrowserTree tree;
    std::unique_ptr<TFileListBox> files;
    std::unique_ptr<TDirectoryListBox> dirs;
};

TEST_F(DirectoryListBoxTest, ANestedDirectoryShowsItsPathThenItsVisibleSubdirectoriesSorted)
{
    Make("draws/2024");
    const std::string directory = tree.Path("draws/2024");
    std::vector<TDirectoryEntry> expected = PathEntries(directory);
    const int own = static_cast<int>(expected.size()) - 1;
    for (const char* name : {"Alpha", "beta", "gamma"})
        expected.push_back({name, Kind::Subdirectory});
    ASSERT_EQ(dirs->Entries(), expected);
    EXPECT_EQ(dirs->HighlightedIndex(), own);

    EXPECT_EQ(dirs->EntryPath(0), "/");
    EXPECT_EQ(dirs->EntryPath(own - 1), tree.Path("draws"));
    EXPECT_EQ(dirs->EntryPath(own), directory);
    EXPECT_EQ(dirs->EntryPath(own + 1), directory + "/Alpha");
    EXPECT_EQ(dirs->EntryPath(own + 4), "");
    EXPECT_EQ(dirs->EntryPath(-1), "");
    for (int i = 1; i < own; ++i)
        EXPECT_TRUE(directory.rfind(dirs->EntryPath(i) + "/", 0) == 0) << dirs->EntryPath(i);
}

TEST_F(DirectoryListBoxTest, TheRootIsItsOwnEntry)
{
    Make("");
    dirs->EnterDirectory("/");
    ASSERT_FALSE(dirs->Entries().empty());
    EXPECT_EQ(dirs->Entries()[0], (TDirectoryEntry{"/", Kind::Own}));
    EXPECT_EQ(dirs->HighlightedIndex(), 0);
    EXPECT_EQ(dirs->EntryPath(0), "/");
    const std::string top = *std::next(std::filesystem::path(tree.Root()).begin()); // "tmp", usually
    EXPECT_NE(IndexOf(top), -1);
    for (size_t i = 1; i < dirs->Entries().size(); ++i) {
        EXPECT_EQ(dirs->Entries()[i].kind, Kind::Subdirectory);
        EXPECT_NE(dirs->Entries()[i].name.front(), '.');
        EXPECT_EQ(dirs->EntryPath(static_cast<int>(i)), "/" + dirs->Entries()[i].name);
    }
    ExpectBrowsing("/");
}

TEST_F(DirectoryListBoxTest, EntersSubdirectoriesAncestorsAndTheRoot)
{
    Make("draws");
    QSignalSpy changes(files.get(), &TFileListBox::Change);

    dirs->EnterDirectory(dirs->EntryPath(IndexOf("2024")));
    ExpectBrowsing(tree.Path("draws/2024"));
    EXPECT_EQ(files->FileNames(), std::vector<std::string>{"spring.wkx"});
    EXPECT_EQ(changes.count(), 1);

    dirs->EnterDirectory(dirs->EntryPath(IndexOf("beta")));
    ExpectBrowsing(tree.Path("draws/2024/beta"));
    EXPECT_EQ(files->FileNames(), std::vector<std::string>{"summer.wkx"});

    dirs->EnterDirectory(dirs->EntryPath(IndexOf("draws")));
    ExpectBrowsing(tree.Path("draws"));
    EXPECT_EQ(files->FileNames(), std::vector<std::string>{"top.wkx"});

    dirs->EnterDirectory(dirs->EntryPath(0));
    ExpectBrowsing("/");
    EXPECT_EQ(changes.count(), 4);
}

TEST_F(DirectoryListBoxTest, OpeningTheOwnEntryDoesNothing)
{
    Make("draws");
    files->SetSelectedIndex(0);
    QSignalSpy changes(files.get(), &TFileListBox::Change);
    const auto before = dirs->Entries();

    dirs->SetHighlightedIndex(IndexOf("draws"));
    dirs->OpenHighlightedEntry();
    EXPECT_EQ(dirs->Entries(), before);
    EXPECT_EQ(files->SelectedIndex(), 0);
    EXPECT_EQ(changes.count(), 0);
}

TEST_F(DirectoryListBoxTest, ClicksMoveTheHighlightAndDoubleClickOrEnterOpensIt)
{
    Make("draws/2024");
    dirs->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dirs.get()));
    const auto centre = [&](const std::string& name) {
        return dirs->visualRect(dirs->model()->index(IndexOf(name), 0)).center();
    };

    QTest::mouseClick(dirs->viewport(), Qt::LeftButton, {}, centre("beta"));
    EXPECT_EQ(dirs->HighlightedIndex(), IndexOf("beta"));
    QTest::keyClick(dirs.get(), Qt::Key_Down);
    EXPECT_EQ(dirs->HighlightedIndex(), IndexOf("gamma"));
    EXPECT_EQ(dirs->Directory(), tree.Path("draws/2024"));

    QTest::keyClick(dirs.get(), Qt::Key_Return);
    ExpectBrowsing(tree.Path("draws/2024/gamma"));

    dirs->EnterDirectory(tree.Path("draws/2024"));
    QTest::mouseDClick(dirs->viewport(), Qt::LeftButton, {}, centre("beta"));
    ExpectBrowsing(tree.Path("draws/2024/beta"));
}

TEST_F(DirectoryListBoxTest, AClickBelowTheEntriesLeavesTheHighlightWhereItIs)
{
    Make("draws/2024");
    dirs->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dirs.get()));
    const int own = dirs->HighlightedIndex();
    ASSERT_EQ(own, IndexOf("2024"));
    const QRect last = dirs->visualRect(dirs->model()->index(dirs->model()->rowCount() - 1, 0));
    const QPoint below(last.center().x(), last.bottom() + 20);
    ASSERT_FALSE(dirs->indexAt(below).isValid());

    QTest::mouseClick(dirs->viewport(), Qt::LeftButton, {}, below);
    EXPECT_EQ(dirs->HighlightedIndex(), own);
    EXPECT_TRUE(dirs->selectionModel()->isSelected(dirs->model()->index(own, 0)));

    // Moved by the user, the highlight stays on that entry too; Enter then still opens it.
    QTest::mouseClick(dirs->viewport(), Qt::LeftButton, {},
                      dirs->visualRect(dirs->model()->index(IndexOf("beta"), 0)).center());
    QTest::mouseClick(dirs->viewport(), Qt::LeftButton, {}, below);
    EXPECT_EQ(dirs->HighlightedIndex(), IndexOf("beta"));
    QTest::keyClick(dirs.get(), Qt::Key_Return);
    ExpectBrowsing(tree.Path("draws/2024/beta"));
}

TEST(EntryFocusFrameTest, ShowsOnTheHighlightAsWellAsOffIt)
{
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 40, 16);
    option.state = QStyle::State_HasFocus | QStyle::State_Selected;
    const auto frameColours = [&](bool highlighted) {
        const QColor background =
            option.palette.color(QPalette::Active, highlighted ? QPalette::Highlight : QPalette::Base);
        QImage image(option.rect.size(), QImage::Format_RGB32);
        image.fill(background);
        QPainter painter(&image);
        DrawItemFocusFrame(&painter, option, highlighted);
        painter.end();
        // The frame's dots along the top edge, in anything but the background.
        int marked = 0;
        for (int x = 0; x < image.width(); ++x)
            marked += QColor(image.pixel(x, 0)) != background;
        return marked;
    };
    EXPECT_GT(frameColours(true), 5);
    EXPECT_GT(frameColours(false), 5);
    option.state = QStyle::State_Selected;
    EXPECT_EQ(frameColours(true), 0);
}

TEST_F(DirectoryListBoxTest, ADirectoryWithoutPermissionLeavesEverythingAsItWas)
{
    tree.Dir("draws/2024/locked");
    chmod(tree.Path("draws/2024/locked").c_str(), 0);
    Make("draws/2024");
    const auto before = dirs->Entries();
    const auto filesBefore = files->FileNames();
    dirs->SetHighlightedIndex(IndexOf("locked"));

    const test::WithoutPermissionOverride asUser;
    EXPECT_EQ(ErrorText([&] { dirs->OpenHighlightedEntry(); }), "ファイルへのアクセスが拒否されました");
    EXPECT_EQ(dirs->Entries(), before);
    EXPECT_EQ(dirs->HighlightedIndex(), IndexOf("locked"));
    EXPECT_EQ(files->FileNames(), filesBefore);
    EXPECT_EQ(dirs->Directory(), tree.Path("draws/2024"));
    EXPECT_EQ(test::CurrentDirectory(), tree.Path("draws/2024"));
}

TEST_F(DirectoryListBoxTest, DirectoriesRemovedWhileShown)
{
    Make("draws/2024");
    const auto before = dirs->Entries();
    std::filesystem::remove_all(tree.Path("draws/2024/gamma"));
    EXPECT_EQ(ErrorText([&] { dirs->EnterDirectory(dirs->EntryPath(IndexOf("gamma"))); }), "不正なファイル名です");
    EXPECT_EQ(dirs->Entries(), before);
    EXPECT_EQ(test::CurrentDirectory(), tree.Path("draws/2024"));

    // A file where a directory was expected.
    EXPECT_EQ(ErrorText([&] { dirs->EnterDirectory(tree.Path("draws/top.wkx/x")); }), "不正なファイル名です");

    // The browsed directory itself gone: its ancestors can still be entered.
    std::filesystem::remove_all(tree.Path("draws/2024"));
    EXPECT_EQ(ErrorText([&] { dirs->EnterDirectory(dirs->EntryPath(IndexOf("beta"))); }), "不正なファイル名です");
    dirs->EnterDirectory(dirs->EntryPath(IndexOf("draws")));
    ExpectBrowsing(tree.Path("draws"));
}

TEST_F(DirectoryListBoxTest, OnACaseSensitiveVolumeNamesDifferingInCaseAreTwoDirectories)
{
    tree.File("case/Draws/upper.wkx");
    tree.File("case/draws/lower.wkx");
    Make("case");
    EXPECT_TRUE(dirs->CaseSensitive());
    const auto subdirectories = std::vector<TDirectoryEntry>(dirs->Entries().end() - 2, dirs->Entries().end());
    EXPECT_EQ(subdirectories,
              (std::vector<TDirectoryEntry>{{"Draws", Kind::Subdirectory}, {"draws", Kind::Subdirectory}}));

    dirs->EnterDirectory(tree.Path("case/Draws"));
    EXPECT_EQ(files->FileNames(), std::vector<std::string>{"upper.wkx"});
    dirs->EnterDirectory(tree.Path("case/draws"));
    ExpectBrowsing(tree.Path("case/draws"));
    EXPECT_EQ(files->FileNames(), std::vector<std::string>{"lower.wkx"});
}

TEST_F(DirectoryListBoxTest, OnAVolumeThatIgnoresCaseNamesDifferingInCaseAreOne)
{
    tree.Mounts("2 1 8:2 / @/case rw - vfat /dev/sdb1 rw\n");
    tree.Dir("case/Draws");
    tree.Dir("case/draws");
    tree.Dir("case/2024");
    Make("case");
    EXPECT_FALSE(dirs->CaseSensitive());
    EXPECT_TRUE(dirs->PreservesCase());
    std::vector<std::string> subdirectories;
    for (const TDirectoryEntry& entry : dirs->Entries())
        if (entry.kind == Kind::Subdirectory)
            subdirectories.push_back(entry.name);
    ASSERT_EQ(subdirectories.size(), 2u);
    EXPECT_EQ(subdirectories[0], "2024");
    EXPECT_TRUE(subdirectories[1] == "Draws" || subdirectories[1] == "draws");

    // The own directory spelt in other case is no move (there is no "CASE" on the real disk).
    EXPECT_NO_THROW(dirs->EnterDirectory(tree.Path("CASE")));
    EXPECT_EQ(dirs->Directory(), tree.Path("case"));
}

} // namespace
} // namespace kelmora::ui
