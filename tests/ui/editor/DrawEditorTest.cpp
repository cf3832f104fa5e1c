// The draw editor and the runs window, driven by keyboard as a user does.

#include "core/KelmoraError.h"
#include "core/LotteryDefinition.h"
#include "tests/ui/WindowTestSupport.h"
#include "ui/KelmoraApplication.h"
#include "ui/Unit1.h"
#include "ui/Unit4.h"
#include "ui/browser/FileListBox.h"
#include "ui/editor/DrawGrid.h"
#include "ui/editor/DrawTableModel.h"
#include "ui/editor/Unit3.h"
#include "ui/text/Cp932.h"
#include "ui/widgets/Cp932Edit.h"
#include "ui/widgets/ListBox.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace kelmora::ui {
namespace {

using namespace test;

class DrawEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previousDirectory = QDir::currentPath();
        QDir::setCurrent(dir.path());
        previousPresenter = TKelmoraApplication::Instance()->SetErrorPresenter(
            [this](const QString&, const QString& text) { errors.push_back(text); });
        form = std::make_unique<TForm1>();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        parts = std::make_unique<TMainWindowComponents>(*form);
    }

    void TearDown() override
    {
        for (auto* editor : form->findChildren<TForm3*>())
            delete editor;
        form.reset();
        TKelmoraApplication::Instance()->SetErrorPresenter(previousPresenter);
        QDir::setCurrent(previousDirectory);
    }

    QString PathOf(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    template <typename Window>
    Window* Opened()
    {
        Window* window = nullptr;
        for (auto* candidate : form->findChildren<Window*>())
            if (candidate->isVisible())
                window = candidate;
        if (window) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
            window->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
            EXPECT_EQ(QApplication::activeWindow(), window);
        }
        return window;
    }

    // Keys go where the focus is, as they do for a user.
    static QWidget* Focus()
    {
        QWidget* focus = QApplication::focusWidget();
        if (!focus)
            ADD_FAILURE() << "no widget has the focus";
        return focus;
    }
    static void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        if (QWidget* focus = Focus())
            QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
    }
    static void Type(const QString& text)
    {
        for (const QChar c : text)
            if (QWidget* focus = Focus())
                TypeText(focus, QString(c));
    }
    // A modal box just closed: its window becomes active again, as on a desktop.
    static void Reactivate(QWidget* window)
    {
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    }

    static QString Cell(TForm3& editor, int row, int column)
    {
        return Find<TDrawGrid>(editor, "StringGrid1")->model()->index(row, column).data().toString();
    }

    QTemporaryDir dir;
    QString previousDirectory;
    TKelmoraApplication::ErrorPresenter previousPresenter;
    std::vector<QString> errors;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TMainWindowComponents> parts;
};

TEST_F(DrawEditorTest, MenuItemsSitBeforeTheSeparatorAndEditNeedsASelection)
{
    const QList<QAction*> items = parts->File1->actions();
    const QList<QAction*> expected = {parts->N1, parts->N2, parts->N3, parts->N5,
                                      parts->N6, parts->N7, parts->N4, parts->Exit1};
    EXPECT_EQ(items, expected);
    EXPECT_EQ(parts->N5->text(), QStringLiteral("クジの種類を作成..."));
    EXPECT_EQ(parts->N6->text(), QStringLiteral("クジの種類を編集..."));
    EXPECT_EQ(parts->N7->text(), QStringLiteral("連番で追加..."));
    EXPECT_EQ(parts->N5->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(parts->N6->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
    EXPECT_EQ(parts->N7->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));

    EXPECT_FALSE(parts->N6->isEnabled());
    WriteBytes(PathOf("a.wkx"), "[Ver]\r\nNo=1\r\nEVENT=a\r\n[Hit]\r\nHit1=x\r\nNo1=1\r\nSHO1=y\r\n");
    parts->FileListBox1->ListFiles();
    EXPECT_FALSE(parts->N6->isEnabled());
    ClickRow(*parts->FileListBox1, 0);
    EXPECT_TRUE(parts->N6->isEnabled());
}

TEST_F(DrawEditorTest, NewDrawByKeyboardAloneSavesWhatWasTyped)
{
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    Key(Qt::Key_N, Qt::ControlModifier);
    TForm3* editor = Opened<TForm3>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("クジの種類の編集"));
    EXPECT_EQ(QApplication::focusWidget(), Find<TCp932Edit>(*editor, "Edit1"));

    Type(QStringLiteral("Summer"));
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Find<TDrawGrid>(*editor, "StringGrid1"));
    EXPECT_EQ(Find<TDrawGrid>(*editor, "StringGrid1")->currentIndex(),
              Find<TDrawGrid>(*editor, "StringGrid1")->model()->index(0, 0));
    // label -> numbers -> prize -> the next row's label; Tab on the last cell appends a row.
    for (const char* text : {"1等", "07 58,9\"9", "100", "2等", "123", "5"}) {
        Type(QString::fromUtf8(text));
        Key(Qt::Key_Tab);
    }
    EXPECT_EQ(Find<TDrawGrid>(*editor, "StringGrid1")->model()->rowCount(), 3);
    EXPECT_EQ(Find<TDrawGrid>(*editor, "StringGrid1")->currentIndex(),
              Find<TDrawGrid>(*editor, "StringGrid1")->model()->index(2, 0));
    EXPECT_EQ(Cell(*editor, 0, 1), QStringLiteral("07 58,9\"9"));
    EXPECT_EQ(Cell(*editor, 1, 0), QStringLiteral("2等"));

    AnswerNext<QFileDialog>([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("wkx"));
        EXPECT_EQ(QDir(dialog.directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
        ChooseFile(dialog, PathOf("summer"));
    });
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(errors.empty()) << errors.front().toStdString();
    EXPECT_EQ(ReadBytes(PathOf("summer.wkx")),
              "[Ver]\r\nNo=2\r\nEVENT=Summer\r\n[Hit]\r\nHit1=1\x93\x99\r\nNo1=07 58,9\"9\r\nSHO1=100\r\n"
              "Hit2=2\x93\x99\r\nNo2=123\r\nSHO2=5\r\n");
    // The file shows up in the list of the folder it was saved in.
    const auto& names = parts->FileListBox1->FileNames();
    EXPECT_NE(std::find(names.begin(), names.end(), "summer.wkx"), names.end());
    // Saved, so closing asks nothing.
    Reactivate(editor);
    QPointer<TForm3> closing(editor);
    Key(Qt::Key_Escape);
    QTest::qWait(0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closing.isNull());
}

TEST_F(DrawEditorTest, EscapeAsksBeforeDiscardingChanges)
{
    form->N5Click();
    TForm3* editor = Opened<TForm3>();
    ASSERT_NE(editor, nullptr);
    Key(Qt::Key_Escape);
    ASSERT_TRUE(editor->isHidden()) << "nothing typed, nothing to ask";

    form->N5Click();
    editor = Opened<TForm3>();
    ASSERT_NE(editor, nullptr);
    Type(QStringLiteral("x"));
    int asked = 0;
    AnswerNext<QMessageBox>([&](QMessageBox& box) {
        ++asked;
        box.button(QMessageBox::No)->click();
    });
    ASSERT_TRUE(editor->Draft().Modified());
    Key(Qt::Key_Escape);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(editor->isVisible());
    Reactivate(editor);
    AnswerNext<QMessageBox>([&](QMessageBox& box) {
        ++asked;
        box.button(QMessageBox::Yes)->click();
    });
    editor->close();
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(editor->isVisible());
}

TEST_F(DrawEditorTest, EscapeInACellFirstCancelsThatCell)
{
    form->N5Click();
    TForm3* editor = Opened<TForm3>();
    ASSERT_NE(editor, nullptr);
    Key(Qt::Key_Tab);
    Type(QStringLiteral("typo"));
    Key(Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(Cell(*editor, 0, 0), QString());
    EXPECT_FALSE(editor->Draft().Modified());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(editor->isVisible());
}

TEST_F(DrawEditorTest, EditingKeepsUntouchedBytesAndReselectsTheSavedDraw)
{
    const std::string file = "[Ver]\r\nNo=1\r\nEVENT=\x87\x90 draw\r\n[Hit]\r\nHit1=\xFD\x87\x90\r\nNo1=\x81\x80,12\r\n"
                             "SHO1=old\r\n";
    WriteBytes(PathOf("odd.wkx"), file);
    parts->FileListBox1->ListFiles();
    ClickRow(*parts->FileListBox1, 0);
    form->N6Click();
    TForm3* editor = Opened<TForm3>();
    ASSERT_NE(editor, nullptr);
    auto* grid = Find<TDrawGrid>(*editor, "StringGrid1");
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 0));
    // Tab through the cells without changing them, then type over the prize.
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    EXPECT_EQ(grid->currentIndex().column(), 2);
    Type(QStringLiteral("new"));
    Key(Qt::Key_Return);
    QCoreApplication::processEvents(); // Return commits on the next turn of the loop
    EXPECT_EQ(Cell(*editor, 0, 2), QStringLiteral("new"));
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(ReadBytes(PathOf("odd.wkx")),
              "[Ver]\r\nNo=1\r\nEVENT=\x87\x90 draw\r\n[Hit]\r\nHit1=\xFD\x87\x90\r\nNo1=\x81\x80,12\r\nSHO1=new\r\n");
    // The selected draw is read again: the summary shows the new prize.
    EXPECT_EQ(parts->FileListBox1->SelectedIndex(), 0);
    EXPECT_NE(form->State().resultLog.Text().find("\r\nnew\r\n"), std::string::npos);
}

TEST_F(DrawEditorTest, SavingAnotherDrawLeavesTheSelectedOneAndItsResultsAlone)
{
    WriteBytes(PathOf("a.wkx"), "[Ver]\r\nNo=1\r\nEVENT=a\r\n[Hit]\r\nHit1=x\r\nNo1=1\r\nSHO1=y\r\n");
    parts->FileListBox1->ListFiles();
    ClickRow(*parts->FileListBox1, 0);
    TypeText(parts->Edit2, QStringLiteral("21"));
    form->Button1Click();
    form->Button3Click();
    form->Timer1Timer();
    const std::string log = form->State().resultLog.Text();
    ASSERT_NE(log.find("21\r\n"), std::string::npos) << "the check found the win";
    form->N5Click();
    TForm3* editor = Opened<TForm3>();
    ASSERT_NE(editor, nullptr);
    auto* model = Find<TDrawGrid>(*editor, "StringGrid1")->DrawModel();
    model->setData(model->index(0, 1), QStringLiteral("5"));
    AnswerNext<QFileDialog>([&](QFileDialog& dialog) { ChooseFile(dialog, PathOf("0-new.wkx")); });
    editor->Button5Click();
    ASSERT_EQ(parts->FileListBox1->FileNames().size(), 2U);
    EXPECT_EQ(parts->FileListBox1->FileNames()[0], "0-new.wkx");
    EXPECT_EQ(parts->FileListBox1->SelectedFilePath(), NativePath(PathOf("a.wkx")));
    EXPECT_EQ(form->State().resultLog.Text(), log);
    EXPECT_TRUE(parts->N6->isEnabled());
}

TEST_F(DrawEditorTest, RefusalsNameTheRowAndWriteNothing)
{
    form->N5Click();
    TForm3* editor = Opened<TForm3>();
    ASSERT_NE(editor, nullptr);
    auto* model = Find<TDrawGrid>(*editor, "StringGrid1")->DrawModel();
    model->InsertRow(1);
    model->setData(model->index(0, 0), QStringLiteral("a"));
    model->setData(model->index(0, 2), QStringLiteral("p"));
    model->setData(model->index(1, 1), QStringLiteral("1"));
    // Refused before any file name is asked for: no dialog comes up, nothing is written.
    const TNoModalExpected noDialog;
    try {
        editor->Button5Click();
        ADD_FAILURE() << "saved a class without numbers";
    } catch (const TKelmoraError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("1 行目の等級に当選番号がありません", 0), 0U) << error.what();
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(editor->Draft().Modified());
}

TEST_F(DrawEditorTest, CharactersShiftJisCannotHoldAreRefusedAsTyped)
{
    form->N5Click();
    TForm3* editor = Opened<TForm3>();
    ASSERT_NE(editor, nullptr);
    Type(QStringLiteral("ab"));
    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QStringLiteral("é"),
                        Qt::NoModifier);
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(errors.size(), 1U);
    EXPECT_TRUE(errors.front().contains(QStringLiteral("U+00E9"))) << errors.front().toStdString();
    EXPECT_EQ(Find<TCp932Edit>(*editor, "Edit1")->text(), QStringLiteral("ab"));
    EXPECT_EQ(editor->Draft().EventName(), "ab");
}

TEST_F(DrawEditorTest, LongNumbersAreSplitAndTheUserIsTold)
{
    form->N5Click();
    TForm3* editor = Opened<TForm3>();
    ASSERT_NE(editor, nullptr);
    auto* model = Find<TDrawGrid>(*editor, "StringGrid1")->DrawModel();
    QStringList numbers;
    for (int i = 0; i < 60; ++i)
        numbers << QStringLiteral("%1").arg(100000 + i);
    model->setData(model->index(0, 1), numbers.join(u'\n'));
    Find<TDrawGrid>(*editor, "StringGrid1")->setCurrentIndex(model->index(0, 1));
    EXPECT_TRUE(Find<QLabel>(*editor, "Label2")->text().contains(QStringLiteral("2 つの等級に分けて")))
        << Find<QLabel>(*editor, "Label2")->text().toStdString();
    AnswerNext<QFileDialog>([&](QFileDialog& dialog) { ChooseFile(dialog, PathOf("long.wkx")); });
    AnswerNext<QMessageBox>([&](QMessageBox& box) { box.accept(); });
    editor->Button5Click();
    const TLotteryDefinition read = LoadDefinition(NativePath(PathOf("long.wkx")));
    ASSERT_EQ(read.classes.size(), 2U);
    EXPECT_EQ(read.classes[0].numbers.size() + read.classes[1].numbers.size(), 60U);
    EXPECT_TRUE(Find<QLabel>(*editor, "Label2")->text().contains(QStringLiteral("1 行目")))
        << Find<QLabel>(*editor, "Label2")->text().toStdString();
}

TEST_F(DrawEditorTest, AColumnPastedFromASpreadsheetGivesOneNumberPerLine)
{
    form->N5Click();
    TForm3* editor = Opened<TForm3>();
    ASSERT_NE(editor, nullptr);
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    ASSERT_EQ(Find<TDrawGrid>(*editor, "StringGrid1")->currentIndex().column(), 1);
    QGuiApplication::clipboard()->setText(QStringLiteral("11\r\n22\n3 3\n"));
    Key(Qt::Key_F2);
    Key(Qt::Key_V, Qt::ControlModifier);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Cell(*editor, 0, 1), QStringLiteral("11,22,3,3"));
    const TLotteryDefinition definition = editor->Draft().ToDefinition();
    ASSERT_EQ(definition.classes.size(), 1U);
    EXPECT_EQ(definition.classes[0].numbers.size(), 4U);
}

TEST_F(DrawEditorTest, RowsMoveAndGoByKeyboard)
{
    form->N5Click();
    TForm3* editor = Opened<TForm3>();
    ASSERT_NE(editor, nullptr);
    auto* model = Find<TDrawGrid>(*editor, "StringGrid1")->DrawModel();
    model->setData(model->index(0, 0), QStringLiteral("first"));
    Find<TDrawGrid>(*editor, "StringGrid1")->setFocus();
    Key(Qt::Key_Insert, Qt::ControlModifier);
    ASSERT_EQ(model->rowCount(), 2);
    EXPECT_EQ(Find<TDrawGrid>(*editor, "StringGrid1")->currentIndex().row(), 1);
    Type(QStringLiteral("second"));
    Key(Qt::Key_Return);
    QCoreApplication::processEvents();
    Key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(Cell(*editor, 0, 0), QStringLiteral("second"));
    EXPECT_EQ(Find<TDrawGrid>(*editor, "StringGrid1")->currentIndex().row(), 0);
    Key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Cell(*editor, 1, 0), QStringLiteral("second"));
    Key(Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(model->rowCount(), 1);
    EXPECT_EQ(Cell(*editor, 0, 0), QStringLiteral("first"));
}

TEST_F(DrawEditorTest, RunOfNumbersByKeyboard)
{
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    Key(Qt::Key_R, Qt::ControlModifier);
    TForm4* runs = Opened<TForm4>();
    ASSERT_NE(runs, nullptr);
    EXPECT_EQ(runs->windowTitle(), QStringLiteral("連番で追加"));
    EXPECT_EQ(QApplication::focusWidget(), Find<TCp932Edit>(*runs, "Edit1"));
    EXPECT_EQ(Find<QLineEdit>(*runs, "Edit2")->text(), QStringLiteral("10"));
    Type(QStringLiteral("A-0345678"));
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>(*runs, "Edit2"));
    Key(Qt::Key_A, Qt::ControlModifier);
    Type(QStringLiteral("12"));
    Key(Qt::Key_Return);
    const TLineList& tickets = form->State().ticketList.Entries();
    ASSERT_EQ(tickets.size(), 12U);
    EXPECT_EQ(tickets[0], "A-0345678");
    EXPECT_EQ(tickets[11], "A-0345689");
    EXPECT_FALSE(runs->isVisible());
    EXPECT_EQ(parts->PageControl1->currentWidget(), parts->TabSheet2);
    EXPECT_EQ(Rows(*parts->ListBox2).size(), 12);
}

TEST_F(DrawEditorTest, RunThatCannotBeMadeAddsNothing)
{
    form->N7Click();
    TForm4* runs = Opened<TForm4>();
    ASSERT_NE(runs, nullptr);
    Type(QStringLiteral("95"));
    Key(Qt::Key_Return);
    ASSERT_EQ(errors.size(), 1U);
    EXPECT_TRUE(form->State().ticketList.Entries().empty());
    EXPECT_TRUE(runs->isVisible());
    Find<QLineEdit>(*runs, "Edit2")->setText(QStringLiteral("100001"));
    Find<TCp932Edit>(*runs, "Edit1")->setText(QStringLiteral("1"));
    Key(Qt::Key_Return);
    EXPECT_EQ(errors.size(), 2U);
    EXPECT_TRUE(form->State().ticketList.Entries().empty());
}

TEST_F(DrawEditorTest, FilesNamedAtStartOpenAsDrawOrTickets)
{
    QDir(dir.path()).mkdir(QStringLiteral("sub"));
    WriteBytes(PathOf("sub/b.wkx"), "[Ver]\r\nNo=1\r\nEVENT=bee\r\n[Hit]\r\nHit1=x\r\nNo1=1\r\nSHO1=y\r\n");
    WriteBytes(PathOf("sub/a.wkx"), "[Ver]\r\nNo=0\r\nEVENT=a\r\n");
    WriteBytes(PathOf("mine.wkn"), "1\r\n2\r\n");
    form->ShowDefinitionFile(NativePath(PathOf("sub/b.wkx")));
    EXPECT_EQ(QDir(QString::fromStdString(parts->FileListBox1->Directory())).canonicalPath(),
              QDir(PathOf("sub")).canonicalPath());
    EXPECT_EQ(parts->FileListBox1->SelectedIndex(), 1);
    EXPECT_EQ(parts->Edit1->text(), QStringLiteral("bee"));
    EXPECT_EQ(parts->PageControl1->currentWidget(), parts->TabSheet1);
    form->ShowTicketFile(NativePath(PathOf("mine.wkn")));
    EXPECT_EQ(form->State().ticketList.Entries().size(), 2U);
    EXPECT_EQ(parts->PageControl1->currentWidget(), parts->TabSheet2);
}

} // namespace
} // namespace kelmora::ui
