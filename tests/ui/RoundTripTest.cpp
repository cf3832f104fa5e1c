// Every byte the data can hold comes back out of the window's saves unchanged, whatever the
// screen could make of it.

#include "tests/support/ShiftJis.h"
#include "tests/ui/WindowTestSupport.h"
#include "ui/KelmoraApplication.h"
#include "ui/Unit1.h"

#include <QDir>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace kelmora::test;

namespace kelmora::ui {
namespace {

using namespace test;

// Lines of a ticket file holding every byte but CR, LF and NUL, alone and all together, and
// every double-byte code, one lead byte's codes to a line and each on its own.
std::vector<std::string> EveryCodeLines()
{
    std::vector<std::string> lines;
    std::string allBytes;
    for (int byte = 1; byte <= 0xFF; ++byte) {
        if (byte == '\r' || byte == '\n')
            continue;
        lines.emplace_back(1, static_cast<char>(byte));
        allBytes += static_cast<char>(byte);
    }
    lines.push_back(allBytes);
    int codes = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0)
            continue;
        std::string row;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
            lines.push_back(code);
            row += code;
            ++codes;
        }
        lines.push_back(row);
    }
    EXPECT_EQ(codes, 11340);
    return lines;
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

class RoundTripTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previousPresenter = TKelmoraApplication::Instance()->SetErrorPresenter(
            [this](const QString&, const QString& text) { errors << text; });
        form = std::make_unique<TForm1>();
        parts = std::make_unique<TMainWindowComponents>(*form);
        form->show();
    }
    void TearDown() override
    {
        form.reset();
        TKelmoraApplication::Instance()->SetErrorPresenter(previousPresenter);
    }

    void ThroughMenu(QAction* item, const QString& path)
    {
        AnswerNext<QFileDialog>([&](QFileDialog& dialog) { ChooseFile(dialog, path); });
        ChooseMenuItem(*parts->MainMenu1, item);
    }

    QString PathOf(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir dir;
    TKelmoraApplication::ErrorPresenter previousPresenter;
    QStringList errors;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TMainWindowComponents> parts;
};

TEST_F(RoundTripTest, ATicketFileOfEveryCodeIsSavedBackByteForByte)
{
    const std::string original = Joined(EveryCodeLines());
    WriteBytes(PathOf("every.wkn"), original);
    ThroughMenu(parts->N2, PathOf("every.wkn"));
    ThroughMenu(parts->N1, PathOf("again.wkn"));
    EXPECT_EQ(ReadBytes(PathOf("again.wkn")), original);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(RoundTripTest, AResultsLogOfEveryCodeIsSavedBackByteForByte)
{
    const auto lines = EveryCodeLines();
    WriteBytes(PathOf("every.wkn"), Joined(lines));
    // An empty winning number wins with every ticket, so the check copies each into the log;
    // the draw's own texts carry odd codes too.
    const std::string label = "\x87\x90\xED\x40\x80\xFD";
    WriteBytes(PathOf("all.wkx"),
               "[Ver]\r\nNo=1\r\nEVENT=\xFF\xA0\x81\r\n[Hit]\r\nNo1=\"\"\r\nHit1=" + label + "\r\nSHO1=\xEE\xEC\r\n");
    form->SelectDefinition(NativePath(PathOf("all.wkx")));
    ThroughMenu(parts->N2, PathOf("every.wkn"));
    QTest::mouseClick(parts->Button3, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !form->findChildren<QMessageBox*>().isEmpty(); }, 10000));
    // The user's own edit re-encodes what was typed, and nothing else.
    ASSERT_TRUE(QTest::qWaitFor([this] { return !parts->Memo1->isReadOnly(); }, 10000)); // filled in
    parts->Memo1->moveCursor(QTextCursor::End);
    TypeText(parts->Memo1, QStringLiteral("済"));
    ThroughMenu(parts->N3, PathOf("results.txt"));

    std::string expected = "\xFF\xA0\x81\r\n\r\n\r\n" + label +
        "\r\n\"\"\r\n\xEE\xEC\r\n\r\n\r\n"
        "----------------------\r\n\r\n\r\n";
    for (const auto& ticket : lines)
        expected += kWinningNumber + "\r\n" + label + kWonBy + "\r\n" + ticket + "\r\n\r\n\r\n";
    expected += "\x8D\xCF"; // 済
    const std::string saved = ReadBytes(PathOf("results.txt"));
    EXPECT_EQ(saved.size(), expected.size());
    EXPECT_TRUE(saved == expected);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
}

} // namespace
} // namespace kelmora::ui
