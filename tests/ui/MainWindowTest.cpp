#include "tests/support/ShiftJis.h"
#include "tests/ui/WindowTestSupport.h"
#include "ui/KelmoraApplication.h"
#include "ui/ResultLogView.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/browser/DirectoryListBox.h"
#include "ui/browser/DriveComboBox.h"
#include "ui/browser/FileListBox.h"
#include "ui/platform/MountTable.h"
#include "ui/text/Cp932.h"
#include "ui/widgets/ListBox.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionViewItem>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

using namespace kelmora::test;

namespace kelmora::ui {
namespace {

using namespace test;

const std::string kCrLf = "\r\n";
const std::string kSpringDraw = "[Ver]\r\nNo=2\r\nEVENT=Spring draw\r\n[Hit]\r\nHit1=First prize\r\nNo1=456\r\n"
                                "SHO1=500\r\nHit2=Last two digits\r\nNo2=07,58\r\nSHO2=20\r\n";
const std::string kSpringSummary = "Spring draw\r\n\r\n\r\nFirst prize\r\n456\r\n500\r\n\r\n\r\nLast two digits\r\n"
                                   "07,58\r\n20\r\n\r\n\r\n----------------------\r\n\r\n\r\n";

std::string Win(const std::string& number, const std::string& label, const std::string& ticket)
{
    return kWinningNumber + number + kCrLf + label + kWonBy + kCrLf + ticket + kCrLf + kCrLf + kCrLf;
}

const std::string kSpringWins =
    Win("456", "First prize", "456") + Win("07", "Last two digits", "907") + Win("58", "Last two digits", "158");

struct ShownError {
    QString caption;
    QString text;
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previousDirectory = QDir::currentPath();
        QDir::setCurrent(dir.path());
        previousPresenter =
            TKelmoraApplication::Instance()->SetErrorPresenter([this](const QString& caption, const QString& text) {
                errors.push_back({caption, text});
            });
        form = std::make_unique<TForm1>();
        parts = std::make_unique<TMainWindowComponents>(*form);
        about = new TForm2(form.get());
        form->SetAboutWindow(about);
        form->show();
        parts->PageControl1->setCurrentWidget(parts->TabSheet2);
    }

    void TearDown() override
    {
        form.reset();
        TKelmoraApplication::Instance()->SetErrorPresenter(previousPresenter);
        QDir::setCurrent(previousDirectory);
    }

    QString PathOf(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    void LoadSpringDraw()
    {
        WriteBytes(PathOf("spring.wkx"), kSpringDraw);
        form->SelectDefinition(NativePath(PathOf("spring.wkx")));
    }

    void AddByButton(const QString& number)
    {
        TypeText(parts->Edit2, number);
        QTest::mouseClick(parts->Button1, Qt::LeftButton);
    }

    void AddTickets(std::initializer_list<const char*> numbers)
    {
        for (const char* number : numbers)
            AddByButton(QString::fromUtf8(number));
    }

    QList<QMessageBox*> CompletionMessages() const
    {
        QList<QMessageBox*> shown;
        for (QMessageBox* box : form->findChildren<QMessageBox*>())
            if (box->isVisible())
                shown << box;
        return shown;
    }

    const std::string& Log() const { return form->State().resultLog.Text(); }
    const TLineList& Tickets() const { return form->State().ticketList.Entries(); }

    QTemporaryDir dir;
    QString previousDirectory;
    TKelmoraApplication::ErrorPresenter previousPresenter;
    std::vector<ShownError> errors;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TMainWindowComponents> parts;
    TForm2* about = nullptr;
};

TEST_F(MainWindowTest, OpensAtItsDrawnSizeBelowItsMenuWithTheMappedFont)
{
    EXPECT_EQ(form->centralWidget()->size(), QSize(553, 249));
    EXPECT_LE(form->menuBar()->geometry().bottom(), form->centralWidget()->geometry().top());
    EXPECT_EQ(form->minimumSizeHint().expandedTo(form->minimumSize()), form->size())
        << "the smallest is the drawn size";
    EXPECT_TRUE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(QFontInfo(parts->Memo1->font()).family(), QStringLiteral("IPAPGothic"));

    // Tab runs through the check page in its designed order.
    const QList<QWidget*> order = {parts->ListBox1, parts->ListBox2, parts->Button1, parts->Edit2,
                                   parts->Memo1,    parts->Button2,  parts->Button3, parts->ListBox3};
    for (qsizetype i = 0; i + 1 < order.size(); ++i) {
        QWidget* next = order[i]->nextInFocusChain();
        while (!order.contains(next))
            next = next->nextInFocusChain();
        EXPECT_EQ(next, order[i + 1]) << order[i]->objectName().toStdString();
    }
}

TEST_F(MainWindowTest, AddsByButtonAndByEnterButNothingEmpty)
{
    AddByButton(QStringLiteral("12組345"));
    EXPECT_TRUE(parts->Edit2->text().isEmpty());
    TypeText(parts->Edit2, QStringLiteral("7"));
    QTest::keyClick(parts->Edit2, Qt::Key_Return);
    TypeText(parts->Edit2, QStringLiteral("8"));
    QTest::keyClick(parts->Edit2, Qt::Key_Enter, Qt::ShiftModifier | Qt::ControlModifier);
    TypeText(parts->Edit2, QStringLiteral("7"));
    // The entry box still gets the key after the window has added the number.
    QSignalSpy returnPressed(parts->Edit2, &QLineEdit::returnPressed);
    QTest::keyClick(parts->Edit2, Qt::Key_Return, Qt::AltModifier);
    EXPECT_EQ(returnPressed.count(), 1);

    QTest::mouseClick(parts->Button1, Qt::LeftButton);
    QTest::keyClick(parts->Edit2, Qt::Key_Return);
    EXPECT_EQ(Tickets(), TLineList({kKumiTicket, "7", "8", "7"}));
    EXPECT_EQ(Rows(*parts->ListBox2),
              QStringList({QStringLiteral("12組345"), QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("7")}));
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindowTest, RefusesANumberShiftJisCannotHold)
{
    AddByButton(QStringLiteral("1"));
    AddByButton(QStringLiteral("12é"));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].caption, QStringLiteral("Kelmora！"));
    EXPECT_EQ(errors[0].text, QStringLiteral("「é」(U+00E9) はシフトJISで表せないため、受け付けられません."));
    EXPECT_EQ(Tickets(), TLineList({"1"}));
    EXPECT_EQ(parts->Edit2->text(), QStringLiteral("12é"));
    // The user mends the number; the same button takes it.
    QTest::keyClick(parts->Edit2, Qt::Key_Backspace);
    QTest::mouseClick(parts->Button1, Qt::LeftButton);
    EXPECT_EQ(Tickets(), TLineList({"1", "12"}));
    EXPECT_EQ(errors.size(), 1u);
}

TEST_F(MainWindowTest, DeletesTheSelectedNumberOnly)
{
    AddTickets({"11", "22", "33"});
    QTest::mouseClick(parts->Button2, Qt::LeftButton);
    EXPECT_EQ(Tickets(), TLineList({"11", "22", "33"}));

    ClickRow(*parts->ListBox2, 1);
    ASSERT_EQ(parts->ListBox2->SelectedIndex(), 1);
    QTest::mouseClick(parts->Button2, Qt::LeftButton);
    EXPECT_EQ(Tickets(), TLineList({"11", "33"}));
    EXPECT_EQ(Rows(*parts->ListBox2), QStringList({QStringLiteral("11"), QStringLiteral("33")}));
    EXPECT_EQ(parts->ListBox2->SelectedIndex(), -1);
    QTest::mouseClick(parts->Button2, Qt::LeftButton);
    EXPECT_EQ(Tickets(), TLineList({"11", "33"}));
}

TEST_F(MainWindowTest, SelectingADefinitionFillsTheTableAndTheLog)
{
    LoadSpringDraw();
    EXPECT_EQ(parts->Edit1->text(), QStringLiteral("Spring draw"));
    EXPECT_EQ(Log(), kSpringSummary);
    EXPECT_EQ(parts->Memo1->toPlainText(), DecodeCp932(kSpringSummary));
    EXPECT_EQ(Rows(*parts->ListBox1), QStringList({QStringLiteral("456"), QStringLiteral("07"), QStringLiteral("58")}));
    EXPECT_EQ(Rows(*parts->ListBox3),
              QStringList({QStringLiteral("First prize"), QStringLiteral("Last two digits"),
                           QStringLiteral("Last two digits")}));
    form->SelectDefinition(std::string());
    EXPECT_EQ(Log(), kSpringSummary);
}

TEST_F(MainWindowTest, TheFileListSelectsADefinition)
{
    WriteBytes(PathOf("spring.wkx"), kSpringDraw);
    parts->FileListBox1->ListFiles();
    parts->PageControl1->setCurrentWidget(parts->TabSheet1);
    const QStringList names = Rows(*parts->FileListBox1);
    ASSERT_TRUE(names.contains(QStringLiteral("spring.wkx")));
    ClickRow(*parts->FileListBox1, static_cast<int>(names.indexOf(QStringLiteral("spring.wkx"))));
    EXPECT_EQ(parts->Edit1->text(), QStringLiteral("Spring draw"));
    EXPECT_EQ(Log(), kSpringSummary);
}

// A draw saved as UTF-8 with a byte order mark shows as its Shift-JIS twin; one with a
// character Shift-JIS lacks is refused in the error box, and the window keeps what it showed.
TEST_F(MainWindowTest, AUtf8DrawIsReadOrRefusedWithItsLine)
{
    WriteBytes(PathOf("utf8.wkx"),
               "\xEF\xBB\xBF[Ver]\r\nNo=1\r\nEVENT=年末ジャンボ\r\n[Hit]\r\nHit1=1等\r\nNo1=" +
                   std::string("12組345678") + "\r\nSHO1=7億円\r\n");
    WriteBytes(PathOf("lacking.wkx"), "\xEF\xBB\xBF[Ver]\nNo=1\nEVENT=กฎ\n");
    parts->FileListBox1->ListFiles();
    parts->PageControl1->setCurrentWidget(parts->TabSheet1);
    const QStringList names = Rows(*parts->FileListBox1);
    ClickRow(*parts->FileListBox1, static_cast<int>(names.indexOf(QStringLiteral("utf8.wkx"))));
    EXPECT_EQ(parts->Edit1->text(), QStringLiteral("年末ジャンボ"));
    EXPECT_EQ(Rows(*parts->ListBox1), QStringList({QStringLiteral("12組345678")}));
    EXPECT_TRUE(errors.empty());

    ClickRow(*parts->FileListBox1, static_cast<int>(names.indexOf(QStringLiteral("lacking.wkx"))));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].text,
              PathOf("lacking.wkx") + QStringLiteral(" の 3 行目の文字「ก」は Shift-JIS で表せません."));
    // The draw before it is not left to be checked in its place.
    EXPECT_EQ(parts->Edit1->text(), QString());
    EXPECT_TRUE(Rows(*parts->ListBox1).isEmpty());
}

TEST_F(MainWindowTest, SeveralClicksBeforeATickGiveOneCheck)
{
    LoadSpringDraw();
    AddTickets({"158", "456", "907"});
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(parts->Button3, Qt::LeftButton);
    EXPECT_EQ(Log(), kSpringSummary); // nothing happens at the click itself
    ASSERT_TRUE(QTest::qWaitFor([this] { return !CompletionMessages().isEmpty(); }, 5000));
    QTest::qWait(50);
    EXPECT_EQ(Log(), kSpringSummary + kSpringWins);
    EXPECT_EQ(parts->Memo1->toPlainText(), DecodeCp932(Log()));

    const QList<QMessageBox*> messages = CompletionMessages();
    ASSERT_EQ(messages.size(), 1);
    QMessageBox& message = *messages.front();
    EXPECT_EQ(message.text(), QStringLiteral("確認完了"));
    EXPECT_EQ(message.windowTitle(), QStringLiteral("メッセージ"));
    EXPECT_EQ(message.icon(), QMessageBox::NoIcon);
    EXPECT_EQ(message.standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(message.windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    QPointer<QMessageBox> closed = &message;
    QTest::mouseClick(message.button(QMessageBox::Ok), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&closed] { return closed.isNull(); }, 2000)); // deleted on close
}

TEST_F(MainWindowTest, AClickWhileTheMessageIsOpenGivesASecondCheck)
{
    LoadSpringDraw();
    AddTickets({"158", "456", "907"});
    QTest::mouseClick(parts->Button3, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return CompletionMessages().size() == 1; }, 5000));

    // The main window is still usable: the user adds a number and checks again.
    AddByButton(QStringLiteral("1456"));
    QTest::mouseClick(parts->Button3, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return CompletionMessages().size() == 2; }, 5000));
    EXPECT_EQ(Log(),
              kSpringSummary + kSpringWins + Win("456", "First prize", "456") + Win("456", "First prize", "1456") +
                  Win("07", "Last two digits", "907") + Win("58", "Last two digits", "158"));
    EXPECT_EQ(parts->Memo1->toPlainText(), DecodeCp932(Log()));
}

TEST_F(MainWindowTest, ACheckAppendsAfterWhatTheUserTyped)
{
    LoadSpringDraw();
    AddTickets({"158", "456", "907"});
    QTest::mouseClick(parts->Memo1->viewport(), Qt::LeftButton);
    QTest::keyClick(parts->Memo1, Qt::Key_End, Qt::ControlModifier);
    TypeText(parts->Memo1, QStringLiteral("memo"));
    QTest::mouseClick(parts->Button3, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !CompletionMessages().isEmpty(); }, 5000));

    // Without a final line break, each entry goes on a new line until the blank entry.
    EXPECT_EQ(Log(),
              kSpringSummary + "memo\r\n" + kWinningNumber + "456\r\nFirst prize" + kWonBy + "\r\n456\r\n\r\n" +
                  Win("07", "Last two digits", "907") + Win("58", "Last two digits", "158"));
    EXPECT_EQ(parts->Memo1->toPlainText(), DecodeCp932(Log()));
}

TEST_F(MainWindowTest, TextThatCannotBeSavedStopsTheCheckOnce)
{
    LoadSpringDraw();
    AddTickets({"456"});
    parts->Memo1->moveCursor(QTextCursor::End);
    TypeText(parts->Memo1, QStringLiteral("é"));
    QTest::mouseClick(parts->Button3, Qt::LeftButton);
    QTest::qWait(100);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].text.startsWith(QStringLiteral("「é」")));
    EXPECT_EQ(Log(), kSpringSummary);
    EXPECT_TRUE(CompletionMessages().isEmpty());
    EXPECT_TRUE(parts->Memo1->toPlainText().endsWith(QStringLiteral("é")));
}

TEST_F(MainWindowTest, SavesAndOpensTicketsThroughTheMenu)
{
    AddTickets({"12組345", "7"});
    const QString chosen = PathOf("mine");
    AnswerNext<QFileDialog>([&](QFileDialog& dialog) {
        // OK on the initial "*.wkn" filters the list; it names no file.
        ChooseFile(dialog, QString());
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("wkn"));
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_EQ(dialog.nameFilters(),
                  QStringList({QStringLiteral("Kelmora(*.wkn) (*.wkn)"), QStringLiteral("すべてのファイル(*.*) (*)")}));
        EXPECT_EQ(QFileInfo(dialog.selectedFiles().value(0)).fileName(), QStringLiteral("*.wkn"));
        ChooseFile(dialog, chosen);
    });
    ChooseMenuItem(*parts->MainMenu1, parts->N1);
    EXPECT_EQ(ReadBytes(chosen + QStringLiteral(".wkn")), kKumiTicket + "\r\n7\r\n");

    // The next save starts from the chosen file, and replaces it when the user says so.
    AddTickets({"8"});
    AnswerNext<QFileDialog>([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.selectedFiles().value(0), chosen + QStringLiteral(".wkn"));
        AnswerNext<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
        ChooseFile(dialog, QString());
    });
    ChooseMenuItem(*parts->MainMenu1, parts->N1);
    EXPECT_EQ(ReadBytes(chosen + QStringLiteral(".wkn")), kKumiTicket + "\r\n7\r\n8\r\n");

    // Opening replaces the list; a cancelled dialog does nothing.
    WriteBytes(PathOf("other.wkn"), "1\n\n2");
    AnswerNext<QFileDialog>([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_TRUE(dialog.defaultSuffix().isEmpty());
        ChooseFile(dialog, PathOf("other.wkn"));
    });
    ChooseMenuItem(*parts->MainMenu1, parts->N2);
    EXPECT_EQ(Tickets(), TLineList({"1", "", "2"}));
    AnswerNext<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    ChooseMenuItem(*parts->MainMenu1, parts->N2);
    EXPECT_EQ(Tickets(), TLineList({"1", "", "2"}));
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindowTest, SavesTheResultsThroughTheMenu)
{
    LoadSpringDraw();
    parts->Memo1->moveCursor(QTextCursor::End);
    TypeText(parts->Memo1, QStringLiteral("組"));
    AnswerNext<QFileDialog>([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("txt"));
        EXPECT_EQ(dialog.nameFilters(),
                  QStringList({QStringLiteral("テキストファイル(*.txt) (*.txt)"),
                               QStringLiteral("すべてのファイル(*.*) (*)")}));
        EXPECT_EQ(QFileInfo(dialog.selectedFiles().value(0)).fileName(), QStringLiteral("*.txt"));
        ChooseFile(dialog, PathOf("results"));
    });
    ChooseMenuItem(*parts->MainMenu1, parts->N3);
    EXPECT_EQ(ReadBytes(PathOf("results.txt")), kSpringSummary + "\x91\x67");
}

TEST_F(MainWindowTest, AReportTooLargeToShowIsAnErrorBoxAndIsSavedWhole)
{
    LoadSpringDraw();
    AddTickets({"456", "907", "158"});
    auto* view = dynamic_cast<TResultLogView*>(form->findChild<QObject*>(QStringLiteral("ResultLogView")));
    ASSERT_NE(view, nullptr);
    std::size_t available = 4096; // less than the check's results would take in the text area
    view->SetAvailableMemory([&] { return available; });
    QTest::mouseClick(parts->Button3, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !errors.empty(); }, 5000));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].text,
              QStringLiteral("確認結果が大きすぎるため表示できません。結果は ファイル → "
                             "確認結果を保存 で保存できます."));
    EXPECT_TRUE(CompletionMessages().isEmpty());
    EXPECT_TRUE(parts->Memo1->toPlainText().isEmpty());
    EXPECT_EQ(Log(), kSpringSummary + kSpringWins);

    // The window goes on working, and the menu saves every byte of the results.
    AddByButton(QStringLiteral("5"));
    EXPECT_EQ(Tickets(), TLineList({"456", "907", "158", "5"}));
    AnswerNext<QFileDialog>([&](QFileDialog& dialog) { ChooseFile(dialog, PathOf("results.txt")); });
    ChooseMenuItem(*parts->MainMenu1, parts->N3);
    EXPECT_EQ(ReadBytes(PathOf("results.txt")), kSpringSummary + kSpringWins);
    EXPECT_EQ(errors.size(), 1u);

    available = SIZE_MAX;
    LoadSpringDraw();
    EXPECT_EQ(parts->Memo1->toPlainText(), DecodeCp932(kSpringSummary));
    EXPECT_FALSE(parts->Memo1->isReadOnly());
}

// The last check's wins as a workbook, read back by openpyxl: the wins of that check, not of
// tickets added since.
TEST_F(MainWindowTest, TheLastCheckThatWonSavesAsAWorkbook)
{
    QAction* N8 = Find<QAction>(*form, "N8");
    ASSERT_NE(N8, nullptr);
    const QList<QAction*> items = parts->File1->actions();
    EXPECT_EQ(items.indexOf(N8), items.indexOf(parts->N3) + 1);
    EXPECT_EQ(N8->text(), QStringLiteral("確認結果を Excel 形式で保存..."));
    EXPECT_FALSE(N8->isEnabled());

    LoadSpringDraw();
    AddTickets({"1"});
    const auto check = [&] {
        const auto shown = CompletionMessages().size();
        QTest::mouseClick(parts->Button3, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return CompletionMessages().size() > shown; }, 5000));
    };
    check();
    EXPECT_FALSE(N8->isEnabled()) << "a check that won nothing has nothing to save";
    AddTickets({"907", "456"});
    check();
    EXPECT_TRUE(N8->isEnabled());
    AddTickets({"158"});

    AnswerNext<QFileDialog>([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.nameFilters(), QStringList({QStringLiteral("Excel ブック(*.xlsx) (*.xlsx)")}));
        EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("xlsx"));
        ChooseFile(dialog, PathOf("wins"));
    });
    ChooseMenuItem(*parts->MainMenu1, N8);
    EXPECT_TRUE(errors.empty());
    const std::string tickets = PathOf("tickets.txt").toStdString();
    const std::string read =
        "/usr/bin/python3 -c \"import openpyxl, sys; s = openpyxl.load_workbook(sys.argv[1])['当選']; "
        "print([c.value for c in s['E']][4:])\" '" +
        PathOf("wins.xlsx").toStdString() + "' > '" + tickets + "'";
    ASSERT_EQ(std::system(read.c_str()), 0);
    EXPECT_EQ(ReadBytes(PathOf("tickets.txt")), "['456', '907', 2]\n") << "the wins, then the total row's count";

    LoadSpringDraw();
    EXPECT_FALSE(N8->isEnabled()) << "a new draw starts without a check";
}

TEST_F(MainWindowTest, AFileThatCannotBeOpenedShowsTheErrorBox)
{
    TKelmoraApplication::Instance()->SetErrorPresenter({}); // the real box this time
    AddTickets({"1"});
    const QString missing = PathOf("missing.wkn");
    ShownError shown;
    AnswerNext<QFileDialog>([&](QFileDialog& dialog) {
        AnswerNext<QMessageBox>([&](QMessageBox& box) {
            shown = {box.windowTitle(), box.text()};
            EXPECT_EQ(box.icon(), QMessageBox::Critical);
            EXPECT_EQ(box.windowModality(), Qt::ApplicationModal);
            QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton);
        });
        ChooseFile(dialog, missing);
    });
    ChooseMenuItem(*parts->MainMenu1, parts->N2);
    EXPECT_EQ(shown.caption, QStringLiteral("Kelmora！"));
    EXPECT_EQ(shown.text, QStringLiteral("ファイル %1 は開けません.").arg(missing));
    EXPECT_EQ(Tickets(), TLineList({"1"}));
    // The program carries on.
    EXPECT_TRUE(parts->Timer1->isActive());
    AddByButton(QStringLiteral("2"));
    EXPECT_EQ(Tickets(), TLineList({"1", "2"}));
}

TEST_F(MainWindowTest, CodesWithoutARoundTripAreSavedBackByteForByte)
{
    // 87 90 and ED 40 decode to characters that encode to other codes; 80 and FD do not
    // decode at all.
    const std::string odd = "1\x87\x90\r\n\xED\x40"
                            "2\r\n\x80\r\n\xFD\r\n";
    WriteBytes(PathOf("odd.wkn"), odd);
    form->OpenTicketFile(NativePath(PathOf("odd.wkn")));
    EXPECT_EQ(Rows(*parts->ListBox2).value(2), QStringLiteral("\uFFFD"));
    AnswerNext<QFileDialog>([&](QFileDialog& dialog) { ChooseFile(dialog, PathOf("odd-again.wkn")); });
    ChooseMenuItem(*parts->MainMenu1, parts->N1);
    EXPECT_EQ(ReadBytes(PathOf("odd-again.wkn")), odd);

    // The same bytes reach the results through a definition and a check, and stay.
    WriteBytes(PathOf("odd.wkx"),
               "[Ver]\r\nNo=1\r\nEVENT=\x87\x90\xED\x40\x80\xFD\r\n[Hit]\r\nNo1=\x87\x90\r\nHit1=\xFD\r\n");
    form->SelectDefinition(NativePath(PathOf("odd.wkx")));
    QTest::mouseClick(parts->Button3, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !CompletionMessages().isEmpty(); }, 5000));
    const std::string log = Log();
    ASSERT_NE(log.find(kWinningNumber + "\x87\x90"), std::string::npos);
    AnswerNext<QFileDialog>([&](QFileDialog& dialog) { ChooseFile(dialog, PathOf("odd.txt")); });
    ChooseMenuItem(*parts->MainMenu1, parts->N3);
    EXPECT_EQ(ReadBytes(PathOf("odd.txt")), log);
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindowTest, TheAboutWindowLeavesTheMainWindowUsable)
{
    ChooseMenuItem(*parts->MainMenu1, parts->About1);
    ASSERT_TRUE(about->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    const QPoint position = about->pos();
    ChooseMenuItem(*parts->MainMenu1, parts->About1);
    EXPECT_EQ(form->findChildren<TForm2*>().size(), 1);
    AddByButton(QStringLiteral("5"));
    EXPECT_EQ(Tickets(), TLineList({"5"}));

    QTest::mouseClick(Find<QPushButton>(*about, "Button1"), Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
    about->move(position + QPoint(10, 10));
    ChooseMenuItem(*parts->MainMenu1, parts->About1);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->pos(), position + QPoint(10, 10));
}

TEST_F(MainWindowTest, QuittingClosesTheMainWindow)
{
    QSignalSpy closed(form.get(), &TForm1::Closed);
    ChooseMenuItem(*parts->MainMenu1, parts->Exit1);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(form->isVisible());
}

// Whether row `row` of a list stands wholly inside its visible area.
bool RowIsShown(const QAbstractItemView& view, int row)
{
    const QRect rect = view.visualRect(view.model()->index(row, 0));
    return rect.isValid() && view.viewport()->rect().contains(rect);
}

class WindowByKeyboardTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    void OpenTickets(int count)
    {
        std::string file;
        for (int i = 0; i < count; ++i)
            file += std::to_string(100000 + i) + "\r\n";
        WriteBytes(PathOf("many.wkn"), file);
        form->OpenTicketFile(NativePath(PathOf("many.wkn")));
    }

    // Lets the list lay out its rows in batches, as it does between events.
    static void FinishLayout() { QTest::qWait(50); }
};

TEST_F(WindowByKeyboardTest, ADeleteKeepsTheEntryThatTookThePlaceInView)
{
    OpenTickets(20000);
    FinishLayout();
    TListBox& list = *parts->ListBox2;
    list.scrollToBottom();
    ClickRow(list, 19999);
    ASSERT_EQ(list.SelectedIndex(), 19999);
    QTest::mouseClick(parts->Button2, Qt::LeftButton);
    FinishLayout();
    EXPECT_EQ(Tickets().size(), 19999u);
    EXPECT_TRUE(RowIsShown(list, 19998));
    EXPECT_EQ(list.SelectedIndex(), -1);

    list.scrollTo(list.model()->index(15000, 0));
    ClickRow(list, 15000);
    QTest::mouseClick(parts->Button2, Qt::LeftButton);
    FinishLayout();
    EXPECT_EQ(Rows(list).value(15000), QStringLiteral("115001"));
    EXPECT_TRUE(RowIsShown(list, 15000));
}

TEST_F(WindowByKeyboardTest, ANewTicketIsScrolledIntoView)
{
    OpenTickets(500);
    FinishLayout();
    TypeText(parts->Edit2, QStringLiteral("777"));
    QTest::keyClick(parts->Edit2, Qt::Key_Return);
    FinishLayout();
    EXPECT_EQ(Rows(*parts->ListBox2).value(500), QStringLiteral("777"));
    EXPECT_TRUE(RowIsShown(*parts->ListBox2, 500));
}

TEST_F(WindowByKeyboardTest, EnterPressesTheFocusedButton)
{
    LoadSpringDraw();
    TypeText(parts->Edit2, QStringLiteral("158"));
    parts->Button1->setFocus();
    QTest::keyClick(parts->Button1, Qt::Key_Return);
    EXPECT_EQ(Tickets(), TLineList({"158"}));

    // Enter in the entry box adds once: no button is a default button.
    TypeText(parts->Edit2, QStringLiteral("456"));
    parts->Edit2->setFocus();
    QTest::keyClick(parts->Edit2, Qt::Key_Return);
    EXPECT_EQ(Tickets(), TLineList({"158", "456"}));

    ClickRow(*parts->ListBox2, 0);
    parts->Button2->setFocus();
    QTest::keyClick(parts->Button2, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(Tickets(), TLineList({"456"}));

    // From the entry box, three Tabs reach the check button.
    parts->Edit2->setFocus();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), parts->Button3);
    QTest::keyClick(parts->Button3, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !CompletionMessages().isEmpty(); }, 5000));
    EXPECT_EQ(Log(), kSpringSummary + Win("456", "First prize", "456"));

    ChooseMenuItem(*parts->MainMenu1, parts->About1);
    auto* ok = Find<QPushButton>(*about, "Button1");
    ok->setFocus();
    QTest::keyClick(ok, Qt::Key_Return);
    EXPECT_FALSE(about->isVisible());
}

TEST_F(WindowByKeyboardTest, TheTaskbarShowsTheApplicationTitle)
{
    EXPECT_EQ(form->windowIconText(), QStringLiteral("Kelmora！"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Kelmora!"));
}

TEST_F(WindowByKeyboardTest, SwitchingPagesByKeyboardFocusesThePagesFirstControl)
{
    parts->ListBox2->setFocus();
    QTest::keyClick(parts->ListBox2, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), Find<QTableView>(*form, "ListView1")) << "the page クジごと";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(parts->PageControl1->currentWidget(), parts->TabSheet1);
    EXPECT_EQ(QApplication::focusWidget(), parts->DirectoryListBox1);
    QTest::keyClick(parts->DirectoryListBox1, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(parts->PageControl1->currentWidget(), parts->TabSheet2);
    EXPECT_EQ(QApplication::focusWidget(), parts->ListBox1);

    // On the tabs themselves the arrows switch pages and the focus stays on the tabs.
    QTabBar* tabs = parts->PageControl1->tabBar();
    tabs->setFocus();
    QTest::keyClick(tabs, Qt::Key_Left);
    EXPECT_EQ(parts->PageControl1->currentWidget(), parts->TabSheet1);
    EXPECT_EQ(QApplication::focusWidget(), tabs);
}

TEST_F(WindowByKeyboardTest, AnEmptyFocusedListShowsAFocusMark)
{
    ASSERT_EQ(parts->ListBox2->model()->rowCount(), 0);
    parts->Edit2->setFocus();
    const QImage unfocused = parts->ListBox2->grab().toImage();
    parts->ListBox2->setFocus();
    ASSERT_TRUE(parts->ListBox2->hasFocus());
    EXPECT_NE(parts->ListBox2->grab().toImage(), unfocused);
}

TEST_F(WindowByKeyboardTest, WinningNumbersAndLabelsScrollTogether)
{
    std::string draw = "[Ver]\r\nNo=1\r\nEVENT=Many\r\n[Hit]\r\nHit1=Class\r\nNo1=";
    for (int i = 0; i < 60; ++i)
        draw += (i ? "," : "") + std::to_string(i);
    WriteBytes(PathOf("many.wkx"), draw + "\r\nSHO1=1\r\n");
    form->SelectDefinition(NativePath(PathOf("many.wkx")));
    FinishLayout();
    QScrollBar& numbers = *parts->ListBox1->verticalScrollBar();
    QScrollBar& labels = *parts->ListBox3->verticalScrollBar();
    ASSERT_GT(numbers.maximum(), 0);

    QPoint centre = parts->ListBox3->viewport()->rect().center();
    QWheelEvent wheel(centre, parts->ListBox3->viewport()->mapToGlobal(centre), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(parts->ListBox3->viewport(), &wheel);
    EXPECT_GT(labels.value(), 0);
    EXPECT_EQ(numbers.value(), labels.value());

    numbers.triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(labels.value(), numbers.value());
    EXPECT_EQ(parts->ListBox1->indexAt(QPoint(2, 2)).row(), parts->ListBox3->indexAt(QPoint(2, 2)).row());
}

TEST_F(WindowByKeyboardTest, LongNumbersLoseTheirStartNotTheirLastDigits)
{
    EXPECT_EQ(parts->ListBox1->textElideMode(), Qt::ElideLeft);
    EXPECT_EQ(parts->ListBox2->textElideMode(), Qt::ElideLeft);
    // Drawn the way the list draws it, a long number ends in its last digits.
    AddByButton(QStringLiteral("1234567890123456789012345678"));
    QStyleOptionViewItem option;
    option.initFrom(parts->ListBox2);
    option.rect = parts->ListBox2->visualRect(parts->ListBox2->model()->index(0, 0));
    option.textElideMode = parts->ListBox2->textElideMode();
    const QString shown =
        option.fontMetrics.elidedText(Rows(*parts->ListBox2).value(0), option.textElideMode, option.rect.width() - 8);
    EXPECT_TRUE(shown.startsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("345678"))) << shown.toStdString();
}

TEST_F(MainWindowTest, ListsAndResultsGrowWithTheWindowAndButtonsStayBesideTheLists)
{
    const auto geometries = [&] {
        std::vector<QRect> all;
        for (QWidget* w :
             std::initializer_list<QWidget*>{parts->ListBox3, parts->ListBox1, parts->ListBox2, parts->Button1,
                                             parts->Button3, parts->Memo1, parts->FileListBox1, parts->Edit1})
            all.push_back(w->geometry());
        return all;
    };
    const std::vector<QRect> drawn = geometries();
    EXPECT_EQ(parts->ListBox1->geometry(), QRect(64, 24, 89, 193));
    EXPECT_EQ(parts->Memo1->geometry(), QRect(328, 24, 217, 193));

    form->resize(form->size() + QSize(400, 200));
    QCoreApplication::processEvents();
    EXPECT_EQ(form->centralWidget()->size(), QSize(953, 449));
    for (TListBox* list : {parts->ListBox3, parts->ListBox1, parts->ListBox2}) {
        EXPECT_EQ(list->height(), 393);
        EXPECT_GT(list->width(), 150);
    }
    EXPECT_EQ(parts->Button1->x(), parts->ListBox2->geometry().right());
    EXPECT_EQ(parts->Button1->y(), 32);
    EXPECT_EQ(parts->Edit2->width(), 81 + 32) << "the entry box takes its share";
    EXPECT_GT(parts->Memo1->width(), 300);
    EXPECT_EQ(parts->Memo1->geometry().right(), drawn[5].right() + 400);
    EXPECT_EQ(parts->Edit1->geometry().bottom(), drawn[7].bottom() + 200);

    // A jumbo ticket is cut at the smallest size and shown whole once the window is wider.
    AddByButton(QStringLiteral("第1000回123組145672"));
    form->resize(form->minimumSizeHint());
    QCoreApplication::processEvents();
    EXPECT_EQ(geometries(), drawn);
    EXPECT_TRUE(parts->ListBox2->IsCutShort(0));
    form->resize(form->size() + QSize(300, 0));
    QCoreApplication::processEvents();
    EXPECT_FALSE(parts->ListBox2->IsCutShort(0));
}

TEST_F(MainWindowTest, ACheckWithoutADrawSaysSoInTheFootLine)
{
    auto* footLine = Find<QLabel>(*form, "Label5");
    form->Button3Click();
    form->Timer1Timer();
    EXPECT_EQ(footLine->text(), QStringLiteral("クジの種類が選ばれていません"));
    EXPECT_TRUE(CompletionMessages().isEmpty()) << "no 確認完了 over a check that could not be made";
    EXPECT_GE(footLine->mapTo(form.get(), QPoint()).y(), form->centralWidget()->geometry().bottom());
    // With a draw the line gives the check's total instead.
    LoadSpringDraw();
    form->Button3Click();
    form->Timer1Timer();
    EXPECT_EQ(footLine->text(), QStringLiteral("当選 0 枚　合計 0円"));
}

TEST_F(MainWindowTest, ATypedNulIsRefusedAndTheListKeptAsItWas)
{
    AddByButton(QStringLiteral("1"));
    // A NUL reaches the entry box only by pasting.
    parts->Edit2->setText(QStringLiteral("12") + QChar(0) + QStringLiteral("3"));
    QTest::mouseClick(parts->Button1, Qt::LeftButton);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].text, QStringLiteral("「␀」(U+0000) はシフトJISで表せないため、受け付けられません."));
    EXPECT_EQ(Tickets(), TLineList({"1"}));
    EXPECT_EQ(Rows(*parts->ListBox2), QStringList({QStringLiteral("1")}));
}

TEST_F(MainWindowTest, TheFileDialogsShowSizeAndTypeInFull)
{
    WriteBytes(PathOf("tickets.wkn"), "1\r\n");
    bool checked = false;
    AnswerNext<QFileDialog>([&](QFileDialog& dialog) {
        dialog.setDirectory(dir.path());
        auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
        const auto rows = [details] { return details->model()->rowCount(details->rootIndex()); };
        if (details && QTest::qWaitFor([&] { return rows() > 0; }, 3000)) {
            QTest::qWait(50);
            const QModelIndex file = details->model()->index(0, 0, details->rootIndex());
            for (int column : {1, 2}) {
                const QString text = file.siblingAtColumn(column).data().toString();
                EXPECT_FALSE(text.isEmpty());
                EXPECT_GE(details->header()->sectionSize(column), details->fontMetrics().horizontalAdvance(text))
                    << text.toStdString();
            }
            checked = true;
        }
        dialog.reject();
    });
    ChooseMenuItem(*parts->MainMenu1, parts->N2);
    EXPECT_TRUE(checked);
}

TEST_F(MainWindowTest, StartUpReadsTheMountTableOnce)
{
    int reads = 0;
    platform::TMountTable::SetSource([&reads] {
        ++reads;
        return std::string("1 0 8:1 / / rw - ext4 /dev/sda1 rw\n");
    });
    {
        TForm1 another;
        another.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&another));
    }
    platform::TMountTable::SetSource({});
    EXPECT_EQ(reads, 1);
}

// Every sheet row but the date, as openpyxl reads it.
std::string WorkbookRows(const std::string& path, const std::string& dump)
{
    const std::string read = "/usr/bin/python3 -c \"import openpyxl, sys\n"
                             "for s in openpyxl.load_workbook(sys.argv[1]):\n"
                             "  for r, row in enumerate(s.iter_rows(values_only=True)):\n"
                             "    if r != 1: print(s.title, row)\" '" +
                             path + "' > '" + dump + "'";
    return std::system(read.c_str()) == 0 ? ReadBytes(QString::fromStdString(dump)) : std::string("unreadable");
}

// The window's workbook and foot line are views of the check it showed: the same rows and
// total as kelmora-check gives for the same files, with every kind of match.
TEST_F(MainWindowTest, TheWindowsReportsAgreeWithTheBatchChecker)
{
    // 1等 2組100000 (whole), its 組違い, 下2ケタ 00 (ends), 下1ケタ 7 (no kind), a prize in kind.
    WriteBytes(PathOf("kinds.wkx"), "[Ver]\r\nNo=5\r\nEVENT=Kinds\r\n[Hit]\r\n"
                                    "Hit1=1\x93\x99\r\nNo1=2\x91\x67\x31\x30\x30\x30\x30\x30\r\nSHO1=1\x96\x9C\x89\x7E\r\nRule1=whole\r\n"
                                    "Hit2=G\r\nNo2=2\x91\x67\x31\x30\x30\x30\x30\x30\r\nSHO2=1,000\x89\x7E\r\nRule2=other-group\r\n"
                                    "Hit3=E\r\nNo3=00\r\nSHO3=300\x89\x7E\r\nRule3=ends\r\n"
                                    "Hit4=B\r\nNo4=7\r\nSHO4=200\x89\x7E\r\n"
                                    "Hit5=K\r\nNo5=17\r\nSHO5=gift\r\n");
    // 2組100000 wins 1等 and E; ０２組１０００００ as typed too; 3組100000 G and E; 17 B and K.
    WriteBytes(PathOf("kinds.wkn"), "2\x91\x67\x31\x30\x30\x30\x30\x30\r\n\x82\x4F\x82\x51\x91\x67\x82\x50\x82\x4F"
                                    "\x82\x4F\x82\x4F\x82\x4F\x82\x4F\r\n3\x91\x67\x31\x30\x30\x30\x30\x30\r\n17\r\n5\r\n");
    const QString examples = QStringLiteral(KELMORA_SOURCE_DIR "/examples/");
    const std::vector<std::pair<QString, QString>> cases = {
        {examples + "nenmatsu-jumbo.wkx", examples + "jumbo-tickets.wkn"},
        {PathOf("kinds.wkx"), PathOf("kinds.wkn")},
    };
    for (const auto& [draw, tickets] : cases) {
        SCOPED_TRACE(draw.toStdString());
        form->SelectDefinition(NativePath(draw));
        form->OpenTicketFile(NativePath(tickets));
        const auto shown = CompletionMessages().size();
        QTest::mouseClick(parts->Button3, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return CompletionMessages().size() > shown; }, 5000));
        QFile::remove(PathOf("window.xlsx")); // a save over it would ask first
        AnswerNext<QFileDialog>([&](QFileDialog& dialog) { ChooseFile(dialog, PathOf("window.xlsx")); });
        ChooseMenuItem(*parts->MainMenu1, Find<QAction>(*form, "N8"));
        ASSERT_TRUE(errors.empty());

        const std::string files = "'" + draw.toStdString() + "' '" + tickets.toStdString() + "'";
        const std::string batch = PathOf("batch.xlsx").toStdString();
        ASSERT_EQ(std::system((KELMORA_CHECK " --format=xlsx -o '" + batch + "' " + files).c_str()), 0);
        const std::string dump = PathOf("rows.txt").toStdString();
        const std::string rows = WorkbookRows(batch, dump);
        EXPECT_NE(rows.find("('合計', None,"), std::string::npos) << rows;
        EXPECT_EQ(WorkbookRows(PathOf("window.xlsx").toStdString(), dump), rows);

        // The summary's total line: 合計, the amount and the wins; the foot line shows that amount.
        const std::string summary = PathOf("summary.txt").toStdString();
        ASSERT_EQ(std::system((KELMORA_CHECK " --utf8 --format=summary " + files + " > '" + summary + "'").c_str()), 0);
        const QString lines = QString::fromStdString(ReadBytes(QString::fromStdString(summary)));
        const QString total = lines.mid(lines.indexOf(QStringLiteral("\n合計\t")) + 1).section('\n', 0, 0);
        const QString amount = total.section('\t', 1, 1);
        ASSERT_FALSE(amount.isEmpty()) << total.toStdString();
        EXPECT_TRUE(Find<QLabel>(*form, "Label5")->text().contains(QStringLiteral("合計 ") + amount)) << Find<QLabel>(*form, "Label5")->text().toStdString();
    }
}

} // namespace
} // namespace kelmora::ui

namespace kelmora::ui {
namespace {

void Click(QMessageBox& box, const QString& button)
{
    for (QAbstractButton* shown : box.buttons())
        if (shown->text() == button)
            shown->click();
}

TEST_F(MainWindowTest, PastedLinesBecomeOneTicketALine)
{
    const auto paste = [](QWidget* into, const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        into->setFocus();
        QTest::keyClick(into, Qt::Key_V, Qt::ControlModifier);
    };
    auto* footLine = Find<QLabel>(*form, "Label5");
    paste(parts->Edit2, QStringLiteral("12組345\r\n\r\n７\n 8 "));
    EXPECT_EQ(Tickets(), TLineList({kKumiTicket, "7", "8"}));
    EXPECT_EQ(footLine->text(), QStringLiteral("3 枚の番号を追加しました"));
    paste(parts->ListBox2, QStringLiteral("9\r10\r０１２組３４５"));
    EXPECT_EQ(Tickets(), TLineList({kKumiTicket, "7", "8", "9", "10", "012" + kKumi + "345"}));
    // The same ticket twice is marked where it comes again.
    const QAbstractItemModel& rows = *parts->ListBox2->model();
    for (int row = 0; row < rows.rowCount(); ++row)
        EXPECT_EQ(rows.index(row, 0).data(Qt::ToolTipRole).toString().contains(QStringLiteral("同じ番号")), row == 5);
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindowTest, NothingIsReplacedWithoutAsking)
{
    WriteBytes(PathOf("kept.wkn"), "old\r\n");
    AddTickets({"1"});
    const auto saveAnswering = [&](QMessageBox::StandardButton answer, QAction* item, const char* name) {
        AnswerNext<QFileDialog>([&, answer](QFileDialog& dialog) {
            AnswerNext<QMessageBox>([answer](QMessageBox& box) {
                answer == QMessageBox::No ? QTest::keyClick(&box, Qt::Key_Escape) : box.button(answer)->click();
            });
            ChooseFile(dialog, PathOf(name));
        });
        ChooseMenuItem(*parts->MainMenu1, item);
    };
    // Tickets and results alike: Escape keeps the file, Yes replaces it.
    for (QAction* item : {parts->N1, parts->N3}) {
        saveAnswering(QMessageBox::No, item, "kept.wkn");
        EXPECT_EQ(ReadBytes(PathOf("kept.wkn")), "old\r\n");
    }
    saveAnswering(QMessageBox::Yes, parts->N1, "kept.wkn");
    EXPECT_EQ(ReadBytes(PathOf("kept.wkn")), "1\r\n");

    // Opening over typed tickets asks to replace them, add to them, or leave them.
    AddTickets({"2"});
    const auto openAnswering = [&](const QString& answer) {
        AnswerNext<QFileDialog>([&](QFileDialog& dialog) {
            AnswerNext<QMessageBox>([answer](QMessageBox& box) { Click(box, answer); });
            ChooseFile(dialog, PathOf("kept.wkn"));
        });
        ChooseMenuItem(*parts->MainMenu1, parts->N2);
    };
    openAnswering(QStringLiteral("キャンセル"));
    EXPECT_EQ(Tickets(), TLineList({"1", "2"}));
    openAnswering(QStringLiteral("追加する"));
    EXPECT_EQ(Tickets(), TLineList({"1", "2", "1"}));
    openAnswering(QStringLiteral("置き換える"));
    EXPECT_EQ(Tickets(), TLineList({"1"}));

    // A ticket file dropped on the window is asked about the same way.
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(PathOf("kept.wkn"))});
    AnswerNext<QMessageBox>([](QMessageBox& box) { Click(box, QStringLiteral("追加する")); });
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &drop);
    EXPECT_EQ(Tickets(), TLineList({"1", "1"}));

    // Quitting with typed tickets asks; Cancel keeps the window.
    AddTickets({"3"});
    AnswerNext<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Cancel)->click(); });
    QSignalSpy closed(form.get(), &TForm1::Closed);
    ChooseMenuItem(*parts->MainMenu1, parts->Exit1);
    EXPECT_EQ(closed.count(), 0);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindowTest, TheTicketsPageShowsWhatEachTicketWonSortableWithTheTotal)
{
    LoadSpringDraw();
    AddTickets({"158", "1", "456", "907"});
    form->Button3Click();
    form->Timer1Timer();
    auto* view = Find<QTableView>(*form, "ListView1");
    ASSERT_NE(view, nullptr);
    const auto shown = [view] {
        std::vector<QStringList> rows(static_cast<std::size_t>(view->model()->rowCount()));
        for (std::size_t r = 0; r < rows.size(); ++r)
            for (int c = 0; c < 3; ++c)
                rows[r] << view->model()->index(static_cast<int>(r), c).data().toString();
        return rows;
    };
    const QStringList first{"158", "Last two digits", "20円"}, lost{"1", "", "はずれ"};
    const QStringList top{"456", "First prize", "500円"}, last{"907", "Last two digits", "20円"};
    EXPECT_EQ(shown(), (std::vector<QStringList>{first, lost, top, last})) << "ticket order";
    view->sortByColumn(2, Qt::DescendingOrder);
    EXPECT_EQ(shown(), (std::vector<QStringList>{top, first, last, lost})) << "by yen";
    EXPECT_EQ(Find<QLabel>(*form, "Label6")->text(), QStringLiteral("当選 3 枚　合計 540円"));
}

} // namespace
} // namespace kelmora::ui
