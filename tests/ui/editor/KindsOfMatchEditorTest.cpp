// The kinds of match in the window: the editor's 判定 column and jumbo template driven by
// keyboard, numbers typed in full-width forms, and the line that totals a check.

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
#include "ui/editor/Unit5.h"
#include "ui/widgets/Cp932Edit.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace kelmora::ui {
namespace {

using namespace test;

const std::string kKumi = "\x91\x67";

class KindsOfMatchWindowTest : public ::testing::Test {
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
        }
        return window;
    }

    static void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr) << "no widget has the focus";
        QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
    }
    static void Type(const QString& text)
    {
        for (const QChar c : text)
            if (QWidget* focus = QApplication::focusWidget())
                TypeText(focus, QString(c));
    }
    static QString Cell(TForm3& editor, int row, int column)
    {
        return Find<TDrawGrid>(editor, "StringGrid1")->model()->index(row, column).data().toString();
    }
    void Check()
    {
        form->Button3Click();
        form->Timer1Timer();
    }

    QTemporaryDir dir;
    QString previousDirectory;
    TKelmoraApplication::ErrorPresenter previousPresenter;
    std::vector<QString> errors;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TMainWindowComponents> parts;
};

TEST_F(KindsOfMatchWindowTest, TheJudgementColumnByKeyboard)
{
    form->N5Click();
    TForm3* editor = Opened<TForm3>();
    ASSERT_NE(editor, nullptr);
    auto* grid = Find<TDrawGrid>(*editor, "StringGrid1");
    EXPECT_EQ(grid->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("判定"));
    Key(Qt::Key_Tab);
    // A number with 組 starts the class as 組と番号が一致; full-width digits are taken as ASCII.
    for (const QString& text : {QStringLiteral("1等"), QStringLiteral("１２組３４５６７８"), QStringLiteral("7億円")}) {
        Type(text);
        Key(Qt::Key_Tab);
    }
    ASSERT_EQ(grid->currentIndex().column(), TDrawTableModel::kRuleColumn);
    EXPECT_EQ(Cell(*editor, 0, 1), QStringLiteral("12組345678"));
    EXPECT_EQ(Cell(*editor, 0, 3), QStringLiteral("組と番号が一致"));
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

TEST_F(KindsOfMatchWindowTest, AnOldDrawKeepsItsRuleUntilChangedAndAnOtherGroupNeedsAGroup)
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

TEST_F(KindsOfMatchWindowTest, TheJumboTemplateByKeyboard)
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

TEST_F(KindsOfMatchWindowTest, TypedNumbersArePaidAndTheTotalShownBelowTheResults)
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
    Check();
    const std::string report = form->State().resultLog.Text().substr(before.size());
    EXPECT_NE(report.find("1\x82\xC9"), std::string::npos) << "the 1等 ticket won";
    auto* line = Find<QLabel>(*form, "Label5");
    EXPECT_EQ(line->text(), QStringLiteral("当選 2 枚　合計 700,000,600円（k は金額でないため合計に含みません）"));
    // Picking a draw starts anew.
    form->SelectDefinition(NativePath(PathOf("jumbo.wkx")));
    EXPECT_EQ(line->text(), QString());
}

TEST_F(KindsOfMatchWindowTest, ARunStartsFromAFullWidthNumber)
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

TEST_F(KindsOfMatchWindowTest, ADrawWithAnUnknownRuleIsNotCheckedInsteadOfAnother)
{
    WriteBytes(PathOf("a.wkx"), "[Ver]\r\nNo=1\r\nEVENT=a\r\n[Hit]\r\nHit1=x\r\nNo1=1\r\nSHO1=y\r\n");
    WriteBytes(PathOf("b.wkx"), "[Ver]\r\nNo=1\r\nEVENT=b\r\n[Hit]\r\nHit1=x\r\nNo1=1\r\nSHO1=y\r\nRule1=near\r\n");
    form->SelectDefinition(NativePath(PathOf("a.wkx")));
    ASSERT_EQ(form->State().winningTable.Count(), 1U);
    EXPECT_THROW(form->SelectDefinition(NativePath(PathOf("b.wkx"))), TKelmoraError);
    EXPECT_EQ(form->State().winningTable.Count(), 0U);
    EXPECT_EQ(parts->Edit1->text(), QString());
}

} // namespace
} // namespace kelmora::ui
