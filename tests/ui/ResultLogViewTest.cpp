#include "ui/ResultLogView.h"

#include "core/base/KelmoraError.h"
#include "core/check/ResultLog.h"
#include "tests/support/ShiftJis.h"
#include "ui/text/Cp932.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <new>

#include <sys/resource.h>
#include <unistd.h>

using namespace kelmora::test;

namespace kelmora::ui {
namespace {

class ResultLogViewTest : public ::testing::Test {
protected:
    ResultLogViewTest()
    {
        memo.resize(217, 193);
        memo.show();
    }

    // As the user does it: the caret to the end of the text, then keys.
    void TypeAtEnd(const QString& text)
    {
        memo.moveCursor(QTextCursor::End);
        memo.insertPlainText(text);
    }

    QPlainTextEdit memo;
    TResultLog log;
    TResultLogView view{memo, log, nullptr};
};

TEST_F(ResultLogViewTest, StartsWithTheLogsOneEmptyLine)
{
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("\n"));
    view.TakeUserEdits();
    EXPECT_EQ(log.Text(), "\r\n");
}

TEST_F(ResultLogViewTest, BytesPassThroughUnicodeOnlyWhereTheUserEdited)
{
    // 87 90 and ED 40 come back from Unicode as other codes; 80 and FD do not decode at all.
    const std::string odd = "\x87\x90 \xED\x40 \x80 \xFD";
    log.SetText(odd + "\r\n" + odd + "\r\n");
    view.Reload();
    view.TakeUserEdits(); // nothing typed: nothing re-encoded
    EXPECT_EQ(log.Text(), odd + "\r\n" + odd + "\r\n");

    // An edit between the two lines re-encodes that stretch alone.
    QTextCursor cursor(memo.document());
    cursor.movePosition(QTextCursor::NextBlock);
    memo.setTextCursor(cursor);
    memo.insertPlainText(QStringLiteral("組\n"));
    view.TakeUserEdits();
    EXPECT_EQ(log.Text(), odd + "\r\n\x91\x67\r\n" + odd + "\r\n");
}

TEST_F(ResultLogViewTest, DeletingAcrossALineEndJoinsTheLines)
{
    log.SetText("ab\r\ncd\r\n");
    view.Reload();
    QTextCursor cursor(memo.document());
    cursor.setPosition(2);
    cursor.deleteChar();
    view.TakeUserEdits();
    EXPECT_EQ(log.Text(), "abcd\r\n");
}

TEST_F(ResultLogViewTest, AnEditNextToALoneCarriageReturnKeepsTheLinesTheUserSees)
{
    log.SetText("a\rb\nc");
    view.Reload();
    QTextCursor cursor(memo.document());
    cursor.setPosition(2);
    cursor.deleteChar(); // the b
    view.TakeUserEdits();
    EXPECT_EQ(DecodeCp932(log.Text()), QStringLiteral("a\n\nc"));
}

TEST_F(ResultLogViewTest, RefusedTextLeavesTheLogAsItWas)
{
    TypeAtEnd(QStringLiteral("é"));
    EXPECT_THROW(view.TakeUserEdits(), TKelmoraError);
    EXPECT_EQ(log.Text(), "\r\n");
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("\né"));
    // Once the user takes it out again, the log follows.
    memo.undo();
    view.TakeUserEdits();
    EXPECT_EQ(log.Text(), "\r\n");
}

TEST_F(ResultLogViewTest, AppendsTheCoresTextAfterTheUsers)
{
    TypeAtEnd(QStringLiteral("memo"));
    view.TakeUserEdits();
    const std::size_t shown = log.Text().size();
    log.AppendEntry("A");
    view.ShowAppended(shown);
    EXPECT_EQ(log.Text(), "\r\nmemo\r\nA");
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("\nmemo\nA"));
    EXPECT_EQ(memo.textCursor().position(), memo.document()->characterCount() - 1);
}

TEST_F(ResultLogViewTest, ALoneCarriageReturnMeetingAnAppendedLineFeedReloads)
{
    log.SetText("x\r");
    view.Reload();
    log.SetText("x\r\ny\r\n");
    view.ShowAppended(2);
    EXPECT_EQ(memo.toPlainText(), DecodeCp932(log.Text()));
    memo.document()->setModified(true);
    view.TakeUserEdits();
    EXPECT_EQ(log.Text(), "x\r\ny\r\n");
}

TEST_F(ResultLogViewTest, ALargeAppendShowsItsEndAtOnceAndTheRestSoonAfter)
{
    std::string report;
    for (int i = 0; i < 30000; ++i)
        report += kWinningNumber + std::to_string(i) + "\r\n"; // 当選番号
    const std::size_t shown = log.Text().size();
    log.SetText(log.Text() + report);
    view.ShowAppended(shown);

    EXPECT_TRUE(view.Filling());
    EXPECT_TRUE(memo.isReadOnly());
    EXPECT_TRUE(memo.toPlainText().endsWith(QStringLiteral("当選番号29999\n")));
    EXPECT_EQ(memo.verticalScrollBar()->value(), memo.verticalScrollBar()->maximum());

    ASSERT_TRUE(QTest::qWaitFor([this] { return !view.Filling(); }, 10000));
    EXPECT_FALSE(memo.isReadOnly());
    EXPECT_EQ(memo.toPlainText(), DecodeCp932(log.Text()));
    EXPECT_EQ(memo.verticalScrollBar()->value(), memo.verticalScrollBar()->maximum());
    view.TakeUserEdits();
    EXPECT_EQ(log.Text(), "\r\n" + report);
}

TEST_F(ResultLogViewTest, AnAppendDuringAFillKeepsTheOrder)
{
    std::string first;
    for (int i = 0; i < 30000; ++i)
        first += std::to_string(i) + "\r\n";
    log.SetText(log.Text() + first);
    view.ShowAppended(2);
    view.TakeUserEdits(); // nothing typed: the log stays as the core made it
    EXPECT_EQ(log.Text(), "\r\n" + first);

    const std::size_t shown = log.Text().size();
    log.AppendEntry("second");
    view.ShowAppended(shown);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !view.Filling(); }, 10000));
    EXPECT_EQ(memo.toPlainText(), DecodeCp932(log.Text()));
}

// A report the process has no memory left to show: nothing of it goes into the text area, the
// log keeps all of it for the save, and the text area comes back once a report fits again.
TEST_F(ResultLogViewTest, AReportTooLargeToShowIsRefusedWholeAndKeptForTheSave)
{
    std::size_t available = std::size_t{1} << 20;
    view.SetAvailableMemory([&] { return available; });
    log.SetText("before\r\n");
    view.Reload();
    std::string report;
    for (int i = 0; i < 20000; ++i)
        report += "\x91\x67 " + std::to_string(i) + " \x93\x96\x91\x49\r\n"; // 組 n 当選
    ASSERT_GT(TResultLogView::TextAreaCost(report), available);
    const std::size_t shown = log.Text().size();
    log.AppendPrepared(report);
    try {
        view.ShowAppended(shown);
        ADD_FAILURE() << "the report was shown";
    } catch (const TKelmoraError& error) {
        EXPECT_EQ(
            QString::fromUtf8(error.what()),
            QStringLiteral("確認結果が大きすぎるため表示できません。結果は ファイル → 確認結果を保存 で保存できます"));
    }
    EXPECT_TRUE(view.TooLargeToShow());
    EXPECT_FALSE(view.Filling());
    EXPECT_TRUE(memo.toPlainText().isEmpty());
    EXPECT_TRUE(memo.isReadOnly());
    view.TakeUserEdits();
    ASSERT_EQ(log.Text(), "before\r\n" + report);
    QTemporaryDir dir;
    const std::string saved = dir.filePath("results.txt").toStdString();
    log.SaveToFile(saved);
    std::ifstream in(saved, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "before\r\n" + report);

    // A further small result changes nothing while the whole cannot be shown.
    const std::size_t all = log.Text().size();
    log.AppendEntry("more");
    EXPECT_THROW(view.ShowAppended(all), TKelmoraError);
    EXPECT_TRUE(memo.toPlainText().isEmpty());

    available = TResultLogView::TextAreaCost(log.Text());
    view.Reload();
    EXPECT_FALSE(view.TooLargeToShow());
    EXPECT_FALSE(memo.isReadOnly());
    EXPECT_EQ(memo.toPlainText(), DecodeCp932(log.Text()));
    TypeAtEnd(QStringLiteral("x"));
    view.TakeUserEdits();
    EXPECT_TRUE(log.Text().ends_with("more\r\nx"));
}

// The figure of what the process can get is the real one here: an address-space limit a little
// above what the process already uses, as a container or a ulimit would set.
TEST_F(ResultLogViewTest, UnderARealMemoryLimitALargeReportIsRefusedInsteadOfCrashing)
{
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0;
    statm >> pages;
    const auto used = static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE));
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_AS, &previous), 0);
    std::string report;
    for (int i = 0; i < 1 << 21; ++i)
        report += "1\r\n";
    const std::size_t shown = log.Text().size();
    log.AppendPrepared(report);
    const rlimit tight{used + (rlim_t{256} << 20), previous.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_AS, &tight), 0);
    std::string outcome = "shown";
    try {
        view.ShowAppended(shown);
        view.FinishFilling();
    } catch (const TKelmoraError&) {
        outcome = "refused";
    } catch (const std::bad_alloc&) {
        outcome = "out of memory";
    }
    ::setrlimit(RLIMIT_AS, &previous);
    EXPECT_EQ(outcome, "refused");
    EXPECT_EQ(log.Text(), "\r\n" + report);
    EXPECT_TRUE(view.TooLargeToShow());
}

TEST_F(ResultLogViewTest, TheCostGrowsWithBytesAndLines)
{
    const std::string longLines(100000, '1');
    std::string shortLines;
    for (int i = 0; i < 10000; ++i)
        shortLines += "1\r\n"; // as many bytes in short lines weigh more
    shortLines.resize(longLines.size(), '1');
    EXPECT_GE(TResultLogView::TextAreaCost(longLines), 2 * longLines.size());
    EXPECT_GT(TResultLogView::TextAreaCost(shortLines), 2 * TResultLogView::TextAreaCost(longLines));
    EXPECT_LT(TResultLogView::TextAreaCost(std::string(10, '1')), TResultLogView::TextAreaCost(std::string(11, '1')));
}

} // namespace
} // namespace kelmora::ui
