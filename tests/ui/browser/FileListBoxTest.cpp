#include "ui/browser/FileListBox.h"

#include "tests/ui/browser/BrowserTestSupport.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

namespace kelmora::ui {
namespace {

using test::BrowserTree;
using test::ErrorText;
using Names = std::vector<std::string>;

class FileListBoxTest : public testing::Test {
protected:
    FileListBoxTest()
    {
        tree.Mounts();
        tree.Dir("draws");
        tree.Enter("draws");
    }

    // A list made while draws is current, as the main window makes it.
    std::unique_ptr<TFileListBox> MakeList(const QString& mask = QStringLiteral("*.wkx"))
    {
        auto list = std::make_unique<TFileListBox>();
        list->SetMask(mask);
        list->resize(385, 177);
        return list;
    }

    void MakeFiles(int count) const
    {
        for (int i = 0; i < count; ++i)
            tree.File("draws/" + std::to_string(i) + ".wkx");
    }

    BrowserTree tree;
};

TEST_F(FileListBoxTest, ListsOrdinaryVisibleFilesOfTheMaskSortedWithoutRegardToCase)
{
    tree.File("draws/DRAW.WKX");
    tree.File("draws/b.wkx");
    tree.File("draws/A.wkx");
    tree.File("draws/notes.txt");
    tree.File("draws/.hidden.wkx");
    tree.Dir("draws/folder.wkx");
    tree.File("draws/readonly.wkx");
    chmod(tree.Path("draws/readonly.wkx").c_str(), 0444);
    std::filesystem::create_symlink("b.wkx", tree.Path("draws/link.wkx"));
    std::filesystem::create_symlink("gone", tree.Path("draws/broken.wkx"));

    auto list = MakeList();
    list->ListFiles();
    EXPECT_EQ(list->FileNames(), (Names{"A.wkx", "b.wkx", "DRAW.WKX", "link.wkx", "readonly.wkx"}));
}

TEST_F(FileListBoxTest, AFileMatchingTwoPatternsIsListedTwice)
{
    tree.File("draws/draw.wkx");
    tree.File("draws/other.wkx");
    auto list = MakeList(QStringLiteral("*.wkx;d*"));
    list->ListFiles();
    EXPECT_EQ(list->FileNames(), (Names{"draw.wkx", "draw.wkx", "other.wkx"}));
}

TEST_F(FileListBoxTest, StartsInTheCurrentDirectoryAndListsWhenFirstShown)
{
    tree.File("draws/draw.wkx");
    auto list = MakeList();
    QSignalSpy changes(list.get(), &TFileListBox::Change);
    EXPECT_EQ(list->Directory(), tree.Path("draws"));
    EXPECT_TRUE(list->FileNames().empty());
    EXPECT_EQ(changes.count(), 0);

    list->show();
    EXPECT_EQ(list->FileNames(), Names{"draw.wkx"});
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(list->SelectedIndex(), -1);
    EXPECT_EQ(list->SelectedFilePath(), "");
}

TEST_F(FileListBoxTest, NotifiesOncePerListingAndPerNewSelection)
{
    tree.File("draws/a.wkx");
    tree.File("draws/b.wkx");
    auto list = MakeList();
    list->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list.get()));
    QSignalSpy changes(list.get(), &TFileListBox::Change);

    const auto click = [&](int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rect.center());
    };
    click(1);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(list->LastNotifiedIndex(), 1);
    EXPECT_EQ(list->SelectedFilePath(), tree.Path("draws/b.wkx"));

    // The selected file again, also with Ctrl, changes nothing and keeps it selected.
    click(1);
    click(1, Qt::ControlModifier);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(list->SelectedIndex(), 1);

    QTest::keyClick(list.get(), Qt::Key_Up);
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(list->SelectedFilePath(), tree.Path("draws/a.wkx"));

    // A new listing clears the selection and notifies once more.
    list->ListFiles();
    EXPECT_EQ(changes.count(), 3);
    EXPECT_EQ(list->SelectedIndex(), -1);
    EXPECT_EQ(list->LastNotifiedIndex(), -1);
}

TEST_F(FileListBoxTest, TheFirstArrowSelectsTheEntryWithTheFocusMark)
{
    tree.File("draws/a.wkx");
    tree.File("draws/b.wkx");
    tree.File("draws/c.wkx");
    auto list = MakeList();
    list->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list.get()));
    QSignalSpy changes(list.get(), &TFileListBox::Change);

    // Taking the focus puts the mark on the first entry without selecting it.
    list->selectionModel()->setCurrentIndex(list->model()->index(0, 0), QItemSelectionModel::NoUpdate);
    QTest::keyClick(list.get(), Qt::Key_Down);
    EXPECT_EQ(list->SelectedIndex(), 0);
    EXPECT_EQ(changes.count(), 1);
    QTest::keyClick(list.get(), Qt::Key_Down);
    EXPECT_EQ(list->SelectedIndex(), 1);

    // After a listing nothing is current: Up starts at the first entry as well.
    list->ListFiles();
    QTest::keyClick(list.get(), Qt::Key_Up);
    EXPECT_EQ(list->SelectedIndex(), 0);
    EXPECT_EQ(list->SelectedFilePath(), tree.Path("draws/a.wkx"));
}

TEST_F(FileListBoxTest, AnEmptyDirectoryStillNotifiesOnce)
{
    auto list = MakeList();
    QSignalSpy changes(list.get(), &TFileListBox::Change);
    list->ListFiles();
    EXPECT_TRUE(list->FileNames().empty());
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(FileListBoxTest, TheBusyCursorShowsFromTheHundredAndFirstEntryUntilTheListingEnds)
{
    auto list = MakeList();
    std::vector<bool> busyShapes;
    QObject::connect(list.get(), &TFileListBox::BusyCursorChanged, [&](bool busy) {
        const QCursor* cursor = QApplication::overrideCursor();
        busyShapes.push_back(busy && cursor && cursor->shape() == Qt::WaitCursor);
    });
    QApplication::setOverrideCursor(Qt::CrossCursor);

    MakeFiles(100);
    list->ListFiles();
    EXPECT_TRUE(busyShapes.empty());

    tree.File("draws/100.wkx");
    list->ListFiles();
    EXPECT_EQ(list->FileNames().size(), 101u);
    EXPECT_EQ(busyShapes, (std::vector<bool>{true, false}));
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::CrossCursor); // the one from before
    QApplication::restoreOverrideCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(FileListBoxTest, FollowingADirectoryListsItOnlyWhenItIsAnother)
{
    tree.File("draws/a.wkx");
    tree.File("other/b.wkx");
    auto list = MakeList();
    list->ListFiles();
    list->SetSelectedIndex(0);
    QSignalSpy changes(list.get(), &TFileListBox::Change);

    list->FollowDirectory(tree.Path("draws"));
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(list->SelectedIndex(), 0);

    list->FollowDirectory(tree.Path("other"));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(list->Directory(), tree.Path("other"));
    EXPECT_EQ(list->FileNames(), Names{"b.wkx"});
    EXPECT_EQ(list->SelectedIndex(), -1);
    EXPECT_EQ(test::CurrentDirectory(), tree.Path("other"));
}

TEST_F(FileListBoxTest, FailuresKeepTheDirectoryAndTheEntries)
{
    tree.File("draws/a.wkx");
    tree.Dir("locked");
    chmod(tree.Path("locked").c_str(), 0);
    auto list = MakeList();
    list->ListFiles();
    QSignalSpy changes(list.get(), &TFileListBox::Change);

    {
        const test::WithoutPermissionOverride asUser;
        EXPECT_EQ(ErrorText([&] { list->FollowDirectory(tree.Path("locked")); }),
                  "ファイルへのアクセスが拒否されました");
    }
    EXPECT_EQ(list->Directory(), tree.Path("draws"));
    EXPECT_EQ(list->FileNames(), Names{"a.wkx"});

    // The browsed directory removed from under the list: listing again fails, entries stay.
    tree.Enter("");
    std::filesystem::remove_all(tree.Path("draws"));
    EXPECT_EQ(ErrorText([&] { list->ListFiles(); }), "不正なファイル名です");
    EXPECT_EQ(list->FileNames(), Names{"a.wkx"});
    EXPECT_EQ(changes.count(), 0);
}

} // namespace
} // namespace kelmora::ui
