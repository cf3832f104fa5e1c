// The draw editor and the runs window, driven by keyboard as a user does.

#include "core/base/KelmoraError.h"
#include "core/draw/LotteryDefinition.h"
#include "tests/ui/WindowTestSupport.h"
#include "ui/KelmoraApplication.h"
#include "ui/Unit1.h"
#include "ui/Unit4.h"
#include "ui/browser/FileListBox.h"
#include "ui/editor/DrawGrid.h"
#include "ui/editor/DrawTableModel.h"
#include "ui/editor/Unit3.h"
#include "ui/editor/Unit5.h"
#include "ui/editor/Unit6.h"
#include "ui/editor/Unit7.h"
#include "ui/editor/Unit8.h"
#include "ui/editor/Unit9.h"
#include "ui/text/Cp932.h"
#include "ui/widgets/Cp932Edit.h"
#include "ui/widgets/ListBox.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace kelmora::ui {
namespace {

using namespace test;

const std::string kKumi = "\x91\x67"; // 組

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
    const QList<QAction*> expected = {parts->N1,   parts->N2, parts->N3, Find<QAction>(*form, "N8"),
                                      parts->N5,   parts->N6, parts->N7, parts->N4,
                                      parts->Exit1};
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
    // label -> numbers -> prize -> kind of match -> the next row's label; Tab on the last cell
    // appends a row.
    int typed = 0;
    for (const char* text : {"1等", "07 58,9\"9", "100", "2等", "123", "5"}) {
        Type(QString::fromUtf8(text));
        Key(Qt::Key_Tab);
        if (++typed % 3 == 0)
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
              "Rule1=ends\r\nHit2=2\x93\x99\r\nNo2=123\r\nSHO2=5\r\nRule2=ends\r\n");
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
        EXPECT_NE(box.button(QMessageBox::Save), nullptr);
        box.button(QMessageBox::Cancel)->click();
    });
    ASSERT_TRUE(editor->Draft().Modified());
    Key(Qt::Key_Escape);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(editor->isVisible());
    Reactivate(editor);
    AnswerNext<QMessageBox>([&](QMessageBox& box) {
        ++asked;
        box.button(QMessageBox::Discard)->click();
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
    // A jumbo's numbers end at 199999: no run goes past them.
    Find<QLineEdit>(*runs, "Edit2")->setText(QStringLiteral("10"));
    Find<TCp932Edit>(*runs, "Edit1")->setText(QStringLiteral("12組199995"));
    Key(Qt::Key_Return);
    ASSERT_EQ(errors.size(), 3U);
    EXPECT_TRUE(errors[2].contains(QStringLiteral("199999"))) << errors[2].toStdString();
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
    // The draws beside the tickets are shown.
    EXPECT_EQ(QDir(QString::fromStdString(parts->FileListBox1->Directory())).canonicalPath(),
              QDir(dir.path()).canonicalPath());
    EXPECT_EQ(parts->PageControl1->currentWidget(), parts->TabSheet2);
}

// Kinds of match: the 判定 column, the jumbo template, numbers typed in full-width forms and
// the line that totals a check.

TEST_F(DrawEditorTest, TheJudgementColumnByKeyboard)
{
    form->N5Click();
    TForm3* editor = Opened<TForm3>();
    ASSERT_NE(editor, nullptr);
    auto* grid = Find<TDrawGrid>(*editor, "StringGrid1");
    EXPECT_EQ(grid->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("判定"));
    Key(Qt::Key_Tab);
    // A number with 組 starts the class as 組と番号が一致; full-width digits are taken as ASCII.
    QSignalSpy changed(grid->model(), &QAbstractItemModel::dataChanged);
    for (const QString& text : {QStringLiteral("1等"), QStringLiteral("１２組３４５６７８"), QStringLiteral("7億円")}) {
        Type(text);
        Key(Qt::Key_Tab);
    }
    ASSERT_EQ(grid->currentIndex().column(), TDrawTableModel::kRuleColumn);
    EXPECT_EQ(Cell(*editor, 0, 1), QStringLiteral("12組345678"));
    EXPECT_EQ(Cell(*editor, 0, 3), QStringLiteral("組と番号が一致"));
    // The view repaints the 判定 cell that the numbers changed.
    EXPECT_TRUE(std::any_of(changed.begin(), changed.end(), [](const QList<QVariant>& signal) {
        const auto from = signal[0].value<QModelIndex>();
        const auto to = signal[1].value<QModelIndex>();
        return from.column() == TDrawTableModel::kNumbersColumn && to.column() >= TDrawTableModel::kRuleColumn;
    }));
    // F2 opens the list of kinds: one down is 組違い, Enter takes it.
    Key(Qt::Key_F2);
    auto* box = qobject_cast<QComboBox*>(QApplication::focusWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->count(), 3) << "a new class is never offered the rule of old files";
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(Cell(*editor, 0, 3), QStringLiteral("組違い"));
    // A new class without 組 starts as 下のケタが一致.
    Key(Qt::Key_Tab);
    Type(QStringLiteral("2等"));
    Key(Qt::Key_Tab);
    Type(QStringLiteral("４５６"));
    Key(Qt::Key_Tab);
    EXPECT_EQ(Cell(*editor, 1, 3), QStringLiteral("下のケタが一致"));

    AnswerNext<QFileDialog>([&](QFileDialog& dialog) { ChooseFile(dialog, PathOf("kinds.wkx")); });
    editor->Button5Click();
    EXPECT_TRUE(errors.empty()) << errors.front().toStdString();
    EXPECT_EQ(ReadBytes(PathOf("kinds.wkx")),
              "[Ver]\r\nNo=2\r\nEVENT=\r\n[Hit]\r\nHit1=1\x93\x99\r\nNo1=12" + kKumi +
                  "345678\r\nSHO1=7\x89\xAD\x89\x7E\r\nRule1=other-group\r\n"
                  "Hit2=2\x93\x99\r\nNo2=456\r\nSHO2=\r\nRule2=ends\r\n");
}

TEST_F(DrawEditorTest, AnOldDrawKeepsItsRuleUntilChangedAndAnOtherGroupNeedsAGroup)
{
    const std::string file = "[Ver]\r\nNo=1\r\nEVENT=old\r\n[Hit]\r\nHit1=x\r\nNo1=145678\r\nSHO1=y\r\n";
    WriteBytes(PathOf("old.wkx"), file);
    parts->FileListBox1->ListFiles();
    ClickRow(*parts->FileListBox1, 0);
    form->N6Click();
    TForm3* editor = Opened<TForm3>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(Cell(*editor, 0, 3), QStringLiteral("下のケタが一致（文字どおり）"));
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadBytes(PathOf("old.wkx")), file);

    auto* grid = Find<TDrawGrid>(*editor, "StringGrid1");
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, TDrawTableModel::kRuleColumn));
    Key(Qt::Key_F2);
    auto* box = qobject_cast<QComboBox*>(QApplication::focusWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->count(), 4);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(Cell(*editor, 0, 3), QStringLiteral("組違い"));
    // 組違い of a number without 組 would pay nothing: refused, the file as it was.
    Key(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(errors.size(), 1U);
    EXPECT_TRUE(errors.front().contains(QStringLiteral("組がありません"))) << errors.front().toStdString();
    EXPECT_EQ(ReadBytes(PathOf("old.wkx")), file);
}

TEST_F(DrawEditorTest, TheJumboTemplateByKeyboard)
{
    form->N5Click();
    TForm3* editor = Opened<TForm3>();
    ASSERT_NE(editor, nullptr);
    Key(Qt::Key_J, Qt::ControlModifier);
    TForm5* jumbo = Opened<TForm5>();
    ASSERT_NE(jumbo, nullptr);
    EXPECT_EQ(jumbo->windowTitle(), QStringLiteral("ジャンボの型"));
    for (const QString& text : {QStringLiteral("１２組１０００００"), QStringLiteral("7億円"),
                                QStringLiteral("1億5千万円"), QStringLiteral("10万円")}) {
        Type(text);
        Key(Qt::Key_Tab);
    }
    Key(Qt::Key_Return);
    EXPECT_FALSE(jumbo->isVisible());
    EXPECT_TRUE(errors.empty()) << errors.front().toStdString();
    const QStringList expected{QStringLiteral("1等"), QStringLiteral("1等の前後賞"), QStringLiteral("1等の組違い賞"),
                               QStringLiteral("2等"), QStringLiteral("3等"),         QStringLiteral("4等"),
                               QStringLiteral("5等"), QStringLiteral("6等"),         QStringLiteral("7等")};
    auto* grid = Find<TDrawGrid>(*editor, "StringGrid1");
    ASSERT_EQ(grid->model()->rowCount(), expected.size());
    for (int row = 0; row < expected.size(); ++row)
        EXPECT_EQ(Cell(*editor, row, 0), expected[row]);
    EXPECT_EQ(Cell(*editor, 1, 1), QStringLiteral("12組199999,12組100001"));
    EXPECT_EQ(Cell(*editor, 1, 2), QStringLiteral("1億5千万円"));
    EXPECT_EQ(Cell(*editor, 2, 3), QStringLiteral("組違い"));
    EXPECT_EQ(Cell(*editor, 4, 3), QStringLiteral("下のケタが一致"));
    // The user goes on with the 2等 numbers.
    EXPECT_EQ(grid->currentIndex(), grid->model()->index(3, TDrawTableModel::kNumbersColumn));
    EXPECT_EQ(editor->focusWidget(), grid);
}

TEST_F(DrawEditorTest, TypedNumbersArePaidAndTheTotalShownBelowTheResults)
{
    WriteBytes(PathOf("jumbo.wkx"),
               "[Ver]\r\nNo=3\r\nEVENT=j\r\n[Hit]\r\nHit1=1\r\nNo1=123" + kKumi +
                   "145678\r\nSHO1=7\x89\xAD\x89\x7E\r\nRule1=whole\r\nHit2=k\r\nNo2=123" + kKumi +
                   "145678\r\nSHO2=\x8B\x4C\x94\x4F\x95\x69\r\nRule2=other-group\r\n"
                   "Hit3=7\r\nNo3=8\r\nSHO3=300\r\nRule3=ends\r\n");
    form->SelectDefinition(NativePath(PathOf("jumbo.wkx")));
    // Full-width digits from an input method, a blank inside and blanks at both ends.
    TypeText(parts->Edit2, QStringLiteral("　１２３組 １４５６７８ "));
    QTest::keyClick(parts->Edit2, Qt::Key_Return);
    TypeText(parts->Edit2, QStringLiteral("23組145678"));
    QTest::keyClick(parts->Edit2, Qt::Key_Return);
    ASSERT_EQ(form->State().ticketList.Count(), 2U);
    EXPECT_EQ(form->State().ticketList.At(0), "123" + kKumi + " 145678");
    const std::string before = form->State().resultLog.Text();
    form->Button3Click();
    form->Timer1Timer();
    const std::string report = form->State().resultLog.Text().substr(before.size());
    EXPECT_NE(report.find("1\x82\xC9"), std::string::npos) << "the 1等 ticket won";
    auto* line = Find<QLabel>(*form, "Label5");
    EXPECT_EQ(line->text(), QStringLiteral("当選 2 枚　合計 700,000,600円（k は金額でないため合計に含みません）"));
    // Picking a draw starts anew.
    form->SelectDefinition(NativePath(PathOf("jumbo.wkx")));
    EXPECT_EQ(line->text(), QString());
}

TEST_F(DrawEditorTest, ARunStartsFromAFullWidthNumber)
{
    form->N7Click();
    TForm4* runs = Opened<TForm4>();
    ASSERT_NE(runs, nullptr);
    Type(QStringLiteral("１２３組１４５６７０"));
    Key(Qt::Key_Tab);
    Key(Qt::Key_A, Qt::ControlModifier);
    Type(QStringLiteral("3"));
    Key(Qt::Key_Return);
    EXPECT_TRUE(errors.empty()) << errors.front().toStdString();
    EXPECT_EQ(form->State().ticketList.Entries(),
              (TLineList{"123" + kKumi + "145670", "123" + kKumi + "145671", "123" + kKumi + "145672"}));
}

TEST_F(DrawEditorTest, ADrawWithAnUnknownRuleIsNotCheckedInsteadOfAnother)
{
    WriteBytes(PathOf("a.wkx"), "[Ver]\r\nNo=1\r\nEVENT=a\r\n[Hit]\r\nHit1=x\r\nNo1=1\r\nSHO1=y\r\n");
    WriteBytes(PathOf("b.wkx"), "[Ver]\r\nNo=1\r\nEVENT=b\r\n[Hit]\r\nHit1=x\r\nNo1=1\r\nSHO1=y\r\nRule1=near\r\n");
    form->SelectDefinition(NativePath(PathOf("a.wkx")));
    ASSERT_EQ(form->State().WinningTable().Count(), 1U);
    EXPECT_THROW(form->SelectDefinition(NativePath(PathOf("b.wkx"))), TKelmoraError);
    EXPECT_EQ(form->State().WinningTable().Count(), 0U);
    EXPECT_EQ(parts->Edit1->text(), QString());
}

class EditorSafetyTest : public DrawEditorTest {
protected:
    // Opens `name` (in the test folder, with `bytes`) in the editor.
    TForm3* OpenDraw(const char* name, const std::string& bytes)
    {
        WriteBytes(PathOf(name), bytes);
        parts->FileListBox1->ListFiles();
        parts->FileListBox1->SelectFileNamed(name);
        form->N6Click();
        return Opened<TForm3>();
    }

    // The number cell of row 0 edited as a user does: F2, End, then typed text.
    static void AppendToNumbers(TForm3& editor, const QString& text)
    {
        auto* grid = Find<TDrawGrid>(editor, "StringGrid1");
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(0, 1));
        Key(Qt::Key_F2);
        Key(Qt::Key_End);
        Type(text);
        Key(Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    static void AnswerWith(QMessageBox::StandardButton button, int* asked = nullptr)
    {
        AnswerNext<QMessageBox>([=](QMessageBox& box) {
            if (asked)
                ++*asked;
            ASSERT_NE(box.button(button), nullptr) << box.text().toStdString();
            box.button(button)->click();
        });
    }

    static void DeleteClosed()
    {
        QTest::qWait(0);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    const std::string kDraw = "[Ver]\r\nNo=1\r\nEVENT=d\r\n[Hit]\r\nHit1=1\r\nNo1=5\r\nSHO1=p\r\n";
};

TEST_F(EditorSafetyTest, ClosingTheMainWindowAsksOnceAndCancelKeepsEveryWindow)
{
    form->N5Click();
    TForm3* fresh = Opened<TForm3>();
    ASSERT_NE(fresh, nullptr);
    Type(QStringLiteral("unsaved"));
    form->N7Click();
    TForm4* runs = Opened<TForm4>();
    ASSERT_NE(runs, nullptr);
    QSignalSpy closed(form.get(), &TForm1::Closed);

    int asked = 0;
    AnswerWith(QMessageBox::Cancel, &asked);
    form->close();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(fresh->isVisible());
    EXPECT_TRUE(runs->isVisible());
    EXPECT_EQ(fresh->Draft().EventName(), "unsaved");
    EXPECT_EQ(closed.count(), 0);

    AnswerWith(QMessageBox::Discard, &asked);
    QPointer<TForm3> editor(fresh);
    form->close();
    EXPECT_EQ(asked, 2) << "one question for the main window, none from the editor";
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(runs->isVisible());
    EXPECT_EQ(closed.count(), 1);
    DeleteClosed();
    EXPECT_TRUE(editor.isNull());
}

TEST_F(EditorSafetyTest, SavingOnClosingTheMainWindowWritesEveryUnsavedDraw)
{
    TForm3* editor = OpenDraw("d.wkx", kDraw);
    ASSERT_NE(editor, nullptr);
    AppendToNumbers(*editor, QStringLiteral(",6"));
    AnswerWith(QMessageBox::Save);
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(LoadDefinition(NativePath(PathOf("d.wkx"))).classes.at(0).numbersText, "5,6");
}

TEST_F(EditorSafetyTest, ADrawThatCannotBeSavedKeepsEveryWindowOpen)
{
    form->N5Click();
    TForm3* editor = Opened<TForm3>();
    ASSERT_NE(editor, nullptr);
    Find<TDrawGrid>(*editor, "StringGrid1")
        ->DrawModel()
        ->setData(Find<TDrawGrid>(*editor, "StringGrid1")->model()->index(0, 0), QStringLiteral("no numbers"));
    AnswerWith(QMessageBox::Save);
    form->close();
    ASSERT_EQ(errors.size(), 1U);
    EXPECT_TRUE(errors.front().contains(QStringLiteral("当選番号がありません"))) << errors.front().toStdString();
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(editor->isVisible());
    EXPECT_TRUE(editor->Draft().Modified());
}

TEST_F(EditorSafetyTest, UndoneEditsAreNoChangeAndTheEditorOffersSaving)
{
    TForm3* editor = OpenDraw("d.wkx", kDraw);
    ASSERT_NE(editor, nullptr);
    Find<TCp932Edit>(*editor, "Edit1")->setFocus();
    Key(Qt::Key_End);
    Type(QStringLiteral("x"));
    EXPECT_TRUE(editor->Draft().Modified());
    Key(Qt::Key_Backspace);
    EXPECT_FALSE(editor->Draft().Modified());
    QPointer<TForm3> closing(editor);
    Key(Qt::Key_Escape);
    DeleteClosed();
    EXPECT_TRUE(closing.isNull()) << "closed without a question";

    editor = OpenDraw("d.wkx", kDraw);
    ASSERT_NE(editor, nullptr);
    AppendToNumbers(*editor, QStringLiteral(",7"));
    AnswerWith(QMessageBox::Save);
    editor->close();
    EXPECT_EQ(LoadDefinition(NativePath(PathOf("d.wkx"))).classes.at(0).numbersText, "5,7");
}

TEST_F(EditorSafetyTest, ACellTakesTenThousandPastedNumbersAndSavesThemAll)
{
    form->N5Click();
    TForm3* editor = Opened<TForm3>();
    ASSERT_NE(editor, nullptr);
    QStringList numbers;
    for (int i = 0; i < 10000; ++i)
        numbers << QString::number(306918173 + i * 7);
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    QGuiApplication::clipboard()->setText(numbers.join(u'\n'));
    Key(Qt::Key_F2);
    Key(Qt::Key_V, Qt::ControlModifier);
    Key(Qt::Key_Return);
    QCoreApplication::processEvents();
    AnswerNext<QFileDialog>([&](QFileDialog& dialog) { ChooseFile(dialog, PathOf("many.wkx")); });
    AnswerNext<QMessageBox>([](QMessageBox& box) { box.accept(); }); // the split is told
    editor->Button5Click();
    const TLotteryDefinition read = LoadDefinition(NativePath(PathOf("many.wkx")));
    QStringList saved;
    for (const TPrizeClass& part : read.classes)
        for (const std::string_view number : part.numbers)
            saved << QString::fromLatin1(number.data(), static_cast<qsizetype>(number.size()));
    EXPECT_EQ(saved, numbers);
}

TEST_F(EditorSafetyTest, EditingANumberKeepsTheBytesOfTheOthersAndOfUndecodableBytes)
{
    TForm3* editor = OpenDraw("twins.wkx",
                              "[Ver]\r\nNo=2\r\nEVENT=d\r\n[Hit]\r\nHit1=a\r\nNo1=\xED\x40"
                              "1,\x87\x90\r\nSHO1=p\r\nHit2=b\r\nNo2=1\xFD\r\nSHO2=q\r\n");
    ASSERT_NE(editor, nullptr);
    AppendToNumbers(*editor, QStringLiteral(",999"));
    auto* grid = Find<TDrawGrid>(*editor, "StringGrid1");
    grid->setCurrentIndex(grid->model()->index(1, 1));
    Key(Qt::Key_F2);
    Key(Qt::Key_End);
    Type(QStringLiteral("2"));
    Key(Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_TRUE(errors.empty()) << errors.front().toStdString();
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadBytes(PathOf("twins.wkx")),
              "[Ver]\r\nNo=2\r\nEVENT=d\r\n[Hit]\r\nHit1=a\r\nNo1=\xED\x40"
              "1,\x87\x90,999\r\nSHO1=p\r\nHit2=b\r\nNo2=1\xFD"
              "2\r\nSHO2=q\r\n");
    EXPECT_TRUE(grid->model()->index(1, 1).data(Qt::ToolTipRole).toString().contains(QStringLiteral("FD")));
}

TEST_F(EditorSafetyTest, OneEditorPerDrawAndAChangeOnDiskIsAskedAbout)
{
    TForm3* editor = OpenDraw("d.wkx", kDraw);
    ASSERT_NE(editor, nullptr);
    form->N6Click();
    EXPECT_EQ(form->findChildren<TForm3*>().size(), 1);
    EXPECT_EQ(QApplication::activeWindow(), editor);

    const std::string elsewhere = "[Ver]\r\nNo=1\r\nEVENT=other\r\n[Hit]\r\nHit1=1\r\nNo1=8\r\nSHO1=p\r\n";
    WriteBytes(PathOf("d.wkx"), elsewhere);
    AppendToNumbers(*editor, QStringLiteral(",6"));
    AnswerWith(QMessageBox::No);
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadBytes(PathOf("d.wkx")), elsewhere);
    EXPECT_TRUE(editor->Draft().Modified());
    Reactivate(editor);
    AnswerWith(QMessageBox::Yes);
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(LoadDefinition(NativePath(PathOf("d.wkx"))).classes.at(0).numbersText, "5,6");
    // Its own save is no change made elsewhere.
    Reactivate(editor);
    AppendToNumbers(*editor, QStringLiteral(",7"));
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(LoadDefinition(NativePath(PathOf("d.wkx"))).classes.at(0).numbersText, "5,6,7");
}

TEST_F(EditorSafetyTest, AFailedSaveOffersAnotherNameAndCtrlShiftSSavesUnderOne)
{
    QDir(dir.path()).mkdir(QStringLiteral("gone"));
    WriteBytes(PathOf("gone/d.wkx"), kDraw);
    form->ShowDefinitionFile(NativePath(PathOf("gone/d.wkx")));
    form->N6Click();
    TForm3* editor = Opened<TForm3>();
    ASSERT_NE(editor, nullptr);
    AppendToNumbers(*editor, QStringLiteral(",6"));
    // The folder goes away: no user, root included, can write there now.
    ASSERT_TRUE(QDir(PathOf("gone")).removeRecursively());
    AnswerNext<QMessageBox>([&](QMessageBox& changed) {
        changed.button(QMessageBox::Yes)->click();
        AnswerNext<QMessageBox>([&](QMessageBox& failed) {
            EXPECT_TRUE(failed.text().contains(QStringLiteral("名前を付けて保存しますか")));
            AnswerNext<QFileDialog>([&](QFileDialog& dialog) { ChooseFile(dialog, PathOf("kept.wkx")); });
            failed.button(QMessageBox::Yes)->click();
        });
    });
    Reactivate(editor);
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(LoadDefinition(NativePath(PathOf("kept.wkx"))).classes.at(0).numbersText, "5,6");
    EXPECT_EQ(editor->Path(), NativePath(PathOf("kept.wkx")));
    EXPECT_FALSE(editor->Draft().Modified());

    Reactivate(editor);
    AnswerNext<QFileDialog>([&](QFileDialog& dialog) {
        // It starts in the draw's folder.
        EXPECT_EQ(QDir(dialog.directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
        ChooseFile(dialog, QStringLiteral("copy"));
    });
    Key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(ReadBytes(PathOf("copy.wkx")), ReadBytes(PathOf("kept.wkx")));
    EXPECT_EQ(editor->Path(), NativePath(PathOf("copy.wkx")));
}

TEST_F(EditorSafetyTest, TheEditorAndTheRunsWindowOpenCentredOverTheMainWindow)
{
    form->move(form->pos() + QPoint(-60, 40));
    QCoreApplication::processEvents();
    const QPoint centre = form->frameGeometry().center();
    form->N5Click();
    TForm3* editor = Opened<TForm3>();
    ASSERT_NE(editor, nullptr);
    EXPECT_LE((editor->frameGeometry().center() - centre).manhattanLength(), 4);
    form->N7Click();
    TForm4* runs = Opened<TForm4>();
    ASSERT_NE(runs, nullptr);
    EXPECT_LE((runs->frameGeometry().center() - centre).manhattanLength(), 4);
}

TEST_F(EditorSafetyTest, PastedResultsReplaceTheTableAfterAskingAndSaveAsTheirKinds)
{
    TForm3* editor = OpenDraw("pasted.wkx", kDraw);
    ASSERT_NE(editor, nullptr);
    Key(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    TForm6* paste = Opened<TForm6>();
    ASSERT_NE(paste, nullptr);
    auto* memo = Find<QPlainTextEdit>(*paste, "Memo1");
    auto* preview = Find<QPlainTextEdit>(*paste, "Memo2");
    auto* ok = Find<QPushButton>(*paste, "Button1");

    // A refusal shows on its line, and nothing can go into the table.
    memo->setPlainText(QStringLiteral("1等\t7億円\t22組 146504番\n2等\t1000万円\t22組 14650番\n"));
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_TRUE(preview->toPlainText().startsWith(QStringLiteral("2 行目「14650番」"))) << preview->toPlainText().toStdString();
    ASSERT_EQ(memo->extraSelections().size(), 1);
    EXPECT_EQ(memo->extraSelections().front().cursor.blockNumber(), 1);

    memo->setPlainText(QStringLiteral("第1020回 年末ジャンボ宝くじ\n1等\t7億円\t22組 146504番\n"
                                      "1等の前後賞\t1億5,000万円\t1等の前後の番号\n2等\t1,000万円\t組下1ケタ 7組 114925番\n"));
    ASSERT_TRUE(ok->isEnabled()) << preview->toPlainText().toStdString();
    EXPECT_EQ(preview->toPlainText().split('\n').size(), 3);
    int asked = 0;
    AnswerWith(QMessageBox::Yes, &asked);
    ok->click();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(Cell(*editor, 1, 1), QStringLiteral("22組146503,22組146505"));
    EXPECT_EQ(Cell(*editor, 2, 3), QStringLiteral("下のケタが一致"));
    EXPECT_EQ(editor->Draft().RowCount(), 3U);

    QApplication::setActiveWindow(editor);
    Key(Qt::Key_S, Qt::ControlModifier);
    ASSERT_TRUE(errors.empty()) << errors.front().toStdString();
    const TLotteryDefinition saved = LoadDefinition(NativePath(PathOf("pasted.wkx")));
    ASSERT_EQ(saved.classes.size(), 3U);
    EXPECT_EQ(DecodeCp932(saved.eventName), QStringLiteral("第1020回 年末ジャンボ宝くじ"));
    EXPECT_EQ(saved.classes[0].rule, TMatchRule::Whole);
    EXPECT_EQ(saved.classes[2].rule, TMatchRule::Ends);
    EXPECT_EQ(DecodeCp932(saved.classes[2].numbersText), QStringLiteral("7組114925"));
}

TEST_F(DrawEditorTest, TheLotoTemplateByKeyboardPaysTheSampleTickets)
{
    form->N5Click();
    TForm3* editor = Opened<TForm3>();
    ASSERT_NE(editor, nullptr);
    Type(QStringLiteral("ロト7"));
    Key(Qt::Key_L, Qt::ControlModifier);
    TForm9* loto = Opened<TForm9>();
    ASSERT_NE(loto, nullptr);
    // ロト7 is offered first; the numbers as announced, then each 等's prize.
    for (const QString& text : {QStringLiteral("07 10 12 17 23 28 34 (03)(15)"), QStringLiteral("6億円"),
                                QStringLiteral("7,300,000円"), QStringLiteral("730,000円"), QStringLiteral("9,100円"),
                                QStringLiteral("1,400円"), QStringLiteral("1,000円")}) {
        Type(text);
        Key(Qt::Key_Tab);
    }
    Key(Qt::Key_Return);
    EXPECT_TRUE(errors.empty()) << errors.front().toStdString();
    EXPECT_EQ(Cell(*editor, 5, 3), QStringLiteral("数字の個数（ロト） count 3 bonus 1+　ボーナス 03 15"));
    AnswerNext<QFileDialog>([&](QFileDialog& dialog) { ChooseFile(dialog, PathOf("loto7.wkx")); });
    editor->Button5Click();
    ASSERT_TRUE(errors.empty()) << errors.front().toStdString();

    form->SelectDefinition(NativePath(PathOf("loto7.wkx")));
    for (const QString& ticket : {QStringLiteral("07 10 12 17 23 28 15"), QStringLiteral("０７，１０，１２，１７，２３，０１，３７"),
                                  QStringLiteral("A 01 02 12 17 23 03 36"), QStringLiteral("12 17 23 30 31 32 33")}) {
        TypeText(parts->Edit2, ticket);
        QTest::keyClick(parts->Edit2, Qt::Key_Return);
    }
    form->Button3Click();
    form->Timer1Timer();
    EXPECT_EQ(Find<QLabel>(*form, "Label5")->text(), QStringLiteral("当選 3 枚　合計 7,310,100円"));
}

TEST_F(DrawEditorTest, ALotoSetUnderTheEndingRuleIsQuestionedBeforeSaving)
{
    form->N5Click();
    TForm3* editor = Opened<TForm3>();
    ASSERT_NE(editor, nullptr);
    Key(Qt::Key_Tab);
    for (const QString& text : {QStringLiteral("1等"), QStringLiteral("01 05 12 23 34 41"), QStringLiteral("2億円")}) {
        Type(text);
        Key(Qt::Key_Tab);
    }
    QString question;
    AnswerNext<QMessageBox>([&](QMessageBox& box) {
        question = box.text();
        box.button(QMessageBox::No)->click();
    });
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(question.contains(QStringLiteral("ロトの型"))) << question.toStdString();
    EXPECT_TRUE(editor->HasUnsavedChanges());
}

TEST_F(DrawEditorTest, TheNumbersAndBingo5TemplatesByKeyboard)
{
    form->N5Click();
    TForm3* editor = Opened<TForm3>();
    ASSERT_NE(editor, nullptr);
    // The shortcut works from the name being typed and leaves the name as it was.
    Type(QStringLiteral("ナンバーズ3"));
    Key(Qt::Key_U, Qt::ControlModifier);
    ASSERT_NE(Opened<TForm7>(), nullptr);
    EXPECT_EQ(Find<TCp932Edit>(*editor, "Edit1")->text(), QStringLiteral("ナンバーズ3"));
    for (const QString& text : {QStringLiteral("４２８"), QStringLiteral("90,000円"), QStringLiteral("15,000円"),
                                QStringLiteral("52,500円"), QStringLiteral("7,500円"), QStringLiteral("9,000円")}) {
        Type(text);
        Key(Qt::Key_Tab);
    }
    Key(Qt::Key_Return);
    EXPECT_TRUE(errors.empty()) << errors.front().toStdString();
    EXPECT_EQ(Cell(*editor, 3, 0), QStringLiteral("セット（ボックス）"));
    EXPECT_EQ(Cell(*editor, 4, 1), QStringLiteral("28"));
    EXPECT_EQ(Cell(*editor, 4, 3), QStringLiteral("下のケタが一致　買い方 ミニ"));

    // Offscreen, no window manager gives the editor back its focus when the dialog closes.
    QApplication::setActiveWindow(editor);
    Key(Qt::Key_B, Qt::ControlModifier);
    ASSERT_NE(Opened<TForm8>(), nullptr);
    for (const QString& text : {QStringLiteral("03 08 12 19 24 27 33 38"), QStringLiteral("5,555,500円")}) {
        Type(text);
        Key(Qt::Key_Tab);
    }
    Key(Qt::Key_Return);
    EXPECT_TRUE(errors.empty()) << errors.front().toStdString();
    EXPECT_EQ(Cell(*editor, 5, 3), QStringLiteral("そろったライン数（ビンゴ5） lines 8"));
    EXPECT_EQ(Cell(*editor, 11, 3), QStringLiteral("そろったライン数（ビンゴ5） lines 1"));
}

} // namespace
} // namespace kelmora::ui

namespace kelmora::ui {
namespace {

TEST_F(EditorSafetyTest, TheInputMethodsCommasSeparateNumbersInCellsAndTheTemplate)
{
    form->N5Click();
    TForm3* editor = Opened<TForm3>();
    ASSERT_NE(editor, nullptr);
    AppendToNumbers(*editor, QStringLiteral("４５組１２３４５６、１７８組６５４３２１，9"));
    EXPECT_EQ(editor->Draft().At(0).numbersText, "45" + kKumi + "123456,178" + kKumi + "654321,9");
    EXPECT_EQ(editor->Draft().ToDefinition().classes.at(0).numbers.size(), 3U);

    // The template splits at them too, and names what is wrong with a number.
    Key(Qt::Key_J, Qt::ControlModifier);
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("12組14567X"), QStringLiteral("1等の番号 12組14567X の組の後は数字だけで")},
        {QStringLiteral("145678"), QStringLiteral("1等の番号 145678 に組がありません")},
        {QStringLiteral("12組145678、13組100000"), QString()},
    };
    for (const auto& [typed, error] : cases) {
        TForm5* jumbo = Opened<TForm5>();
        ASSERT_NE(jumbo, nullptr);
        Find<TCp932Edit>(*jumbo, "Edit1")->setText(typed);
        errors.clear();
        QTest::mouseClick(Find<QPushButton>(*jumbo, "Button1"), Qt::LeftButton);
        EXPECT_EQ(errors.empty() ? QString() : errors[0].left(error.size()), error) << typed.toStdString();
    }
    EXPECT_EQ(Cell(*editor, 1, 1), QStringLiteral("12組145678,13組100000"));
}

TEST_F(EditorSafetyTest, TheEditorGrowsAndACellShowsItsWholeValueAsATip)
{
    TForm3* editor = OpenDraw("d.wkx", kDraw);
    ASSERT_NE(editor, nullptr);
    auto* grid = Find<TDrawGrid>(*editor, "StringGrid1");
    const QRect gridDrawn = grid->geometry();
    const int numbersWidth = grid->columnWidth(TDrawTableModel::kNumbersColumn);
    editor->resize(editor->size() + QSize(200, 100));
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->geometry(), gridDrawn.adjusted(0, 0, 200, 100));
    EXPECT_EQ(grid->columnWidth(TDrawTableModel::kNumbersColumn), numbersWidth + 200);
    EXPECT_EQ(grid->model()->index(0, 1).data(Qt::ToolTipRole).toString(), QStringLiteral("5\n（1 バイト）"));
}

} // namespace
} // namespace kelmora::ui
