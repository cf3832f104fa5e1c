#include "ui/Unit1.h"

#include "core/base/KelmoraError.h"
#include "core/files/LineFile.h"
#include "core/draw/LotteryDefinition.h"
#include "core/draw/ProfileFile.h"
#include "report/CheckWorkbook.h"
#include "ui/KelmoraApplication.h"
#include "ui/ResultLogView.h"
#include "ui/TicketWinsModel.h"
#include "ui/Unit2.h"
#include "ui/Unit4.h"
#include "ui/browser/DirectoryListBox.h"
#include "ui/browser/DriveComboBox.h"
#include "ui/browser/FileListBox.h"
#include "ui/editor/Unit3.h"
#include "ui/platform/FileNames.h"
#include "ui/text/Cp932.h"
#include "ui/text/TypedNumber.h"
#include "ui/widgets/FormLayout.h"
#include "ui/widgets/GrowthLayout.h"
#include "ui/widgets/LineListModel.h"
#include "ui/widgets/ListBox.h"
#include "ui/widgets/PushButton.h"
#include "ui/widgets/ReplaceQuestion.h"
#include "ui/widgets/TicketListModel.h"
#include "ui/widgets/WindowPlacement.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QHeaderView>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <ctime>
#include <utility>

namespace kelmora::ui {
namespace {

const QString kTicketFilter = QStringLiteral("Kelmora(*.wkn)|*.wkn|すべてのファイル(*.*)|*.*");
const QString kResultFilter = QStringLiteral("テキストファイル(*.txt)|*.txt|すべてのファイル(*.*)|*.*");
const QString kWorkbookFilter = QStringLiteral("Excel ブック(*.xlsx)|*.xlsx");
constexpr int kListItemHeight = 12;
constexpr QSize kClientSize(553, 249);

void SetTabOrder(std::initializer_list<QWidget*> widgets)
{
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

// Each list follows the other's scrolling, so that rows stay side by side.
void ScrollTogether(QAbstractScrollArea& a, QAbstractScrollArea& b)
{
    QObject::connect(a.verticalScrollBar(), &QScrollBar::valueChanged, b.verticalScrollBar(), &QScrollBar::setValue);
    QObject::connect(b.verticalScrollBar(), &QScrollBar::valueChanged, a.verticalScrollBar(), &QScrollBar::setValue);
}

// The ticket files a drop may bring: the first local .wkn or .txt, in native bytes.
std::string DroppedTicketFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls()) {
        const QString path = url.toLocalFile();
        if (path.endsWith(QStringLiteral(".wkn"), Qt::CaseInsensitive) ||
            path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive))
            return QFile::encodeName(path).toStdString();
    }
    return {};
}

enum class TOpenChoice { Replace, Add, Cancel };

TOpenChoice AskHowToOpen(QWidget* parent, const QString& caption, const std::string& path, std::size_t held)
{
    QMessageBox box(QMessageBox::Question, caption,
                    QStringLiteral("%1 を開きます。いまの自分のクジの番号（%2 枚）と置き換えますか、"
                                   "後ろに追加しますか？")
                        .arg(QFile::decodeName(QByteArray::fromStdString(path)))
                        .arg(held),
                    QMessageBox::NoButton, parent);
    QPushButton* replace = box.addButton(QStringLiteral("置き換える"), QMessageBox::DestructiveRole);
    QPushButton* add = box.addButton(QStringLiteral("追加する"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(add);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == replace)
        return TOpenChoice::Replace;
    return box.clickedButton() == add ? TOpenChoice::Add : TOpenChoice::Cancel;
}

// The numbers of a text, one a line, as typed; blank lines give none. Encoded all before any is
// added, so that a refused line adds nothing.
TLineList NumbersOfLines(const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    TLineList numbers;
    for (const QString& line : lines.split(u'\n')) {
        const QString number = NumberAsTyped(line);
        if (!number.isEmpty())
            numbers.push_back(EncodeTicketNumber(number));
    }
    return numbers;
}

} // namespace

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent,
                  Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                      Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      OpenDialog1(TFileDialog::Kind::Open, kTicketFilter, QString(), QString()),
      SaveDialog1(TFileDialog::Kind::Save, kTicketFilter, QStringLiteral("wkn"), QStringLiteral("*.wkn")),
      SaveDialog2(TFileDialog::Kind::Save, kResultFilter, QStringLiteral("txt"), QStringLiteral("*.txt")),
      SaveDialog3(TFileDialog::Kind::Save, kWorkbookFilter, QStringLiteral("xlsx"), QStringLiteral("*.xlsx"))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Kelmora!"));
    // The taskbar shows the application's title, not the caption.
    if (const TKelmoraApplication* application = TKelmoraApplication::Instance())
        setWindowIconText(application->Title());
    setFont(FormFont());

    // The client area is drawn for its smallest size and grows with the window; the menu bar
    // sits above it, the foot line below.
    auto* client = new QWidget(this);
    client->setMinimumSize(kClientSize);
    client->resize(kClientSize);
    client->installEventFilter(this);
    setCentralWidget(client);
    PageControl1 = Place(new QTabWidget(client), "PageControl1", 0, 0, 553, 249);
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    PageControl1->addTab(TabSheet1, QStringLiteral("選択"));
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    PageControl1->addTab(TabSheet2, QStringLiteral("確認！"));
    TabSheet3 = new QWidget;
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    PageControl1->addTab(TabSheet3, QStringLiteral("クジごと"));
    PageControl1->setCurrentWidget(TabSheet1);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TForm1::PageChanged);

    BuildSelectionPage();
    BuildCheckPage();
    BuildTicketsPage();
    BuildMenu();
    BuildFootLine();
    BuildGrowth();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(10);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    setAcceptDrops(true);
    FormCreate();
}

void TForm1::BuildSelectionPage()
{
    DriveComboBox1 = Place(new TDriveComboBox(TabSheet1), "DriveComboBox1", 8, 8, 145, 18);
    DirectoryListBox1 = Place(new TDirectoryListBox(TabSheet1), "DirectoryListBox1", 8, 32, 145, 185);
    FileListBox1 = Place(new TFileListBox(TabSheet1), "FileListBox1", 160, 8, 385, 177);
    Label1 = Place(new QLabel(QStringLiteral("クジの種類"), TabSheet1), "Label1", 160, 195, 57, 12);
    Edit1 = Place(new QLineEdit(TabSheet1), "Edit1", 224, 192, 321, 20);

    DirectoryListBox1->SetItemHeight(16);
    FileListBox1->SetItemHeight(12);
    DriveComboBox1->SetDirList(DirectoryListBox1);
    DirectoryListBox1->SetFileList(FileListBox1);
    FileListBox1->SetMask(QStringLiteral("*.wkx"));
    connect(FileListBox1, &TFileListBox::Change, this, &TForm1::FileListBox1Change);

    SetTabOrder({DirectoryListBox1, DriveComboBox1, FileListBox1, Edit1});
}

void TForm1::BuildCheckPage()
{
    winningLabels_ = new TLineListModel(state_.WinningTable().Labels(), this);
    winningNumbers_ = new TLineListModel(state_.WinningTable().Numbers(), this);
    ticketNumbers_ = new TTicketListModel(state_.ticketList.Entries(), this);

    ListBox3 = Place(new TListBox(winningLabels_, kListItemHeight, TabSheet2), "ListBox3", 0, 24, 65, 193);
    Label2 = Place(new QLabel(QStringLiteral("クジの当選番号"), TabSheet2), "Label2", 64, 8, 81, 12);
    ListBox1 = Place(new TListBox(winningNumbers_, kListItemHeight, TabSheet2), "ListBox1", 64, 24, 89, 193);
    Label3 = Place(new QLabel(QStringLiteral("自分のクジの番号"), TabSheet2), "Label3", 152, 8, 93, 12);
    ListBox2 = Place(new TListBox(ticketNumbers_, kListItemHeight, TabSheet2), "ListBox2", 152, 24, 97, 193);
    Button1 = Place(new TPushButton(QStringLiteral("<<番号の追加"), TabSheet2), "Button1", 248, 32, 81, 25);
    Edit2 = Place(new QLineEdit(TabSheet2), "Edit2", 248, 64, 81, 20);
    Button2 = Place(new TPushButton(QStringLiteral("X番号の削除"), TabSheet2), "Button2", 248, 88, 81, 25);
    Button3 = Place(new TPushButton(QStringLiteral("確認！"), TabSheet2), "Button3", 248, 168, 81, 25);
    Label4 = Place(new QLabel(QStringLiteral("当選した番号と賞"), TabSheet2), "Label4", 320, 8, 89, 12);
    Memo1 = Place(new QPlainTextEdit(TabSheet2), "Memo1", 328, 24, 217, 193);
    // The last digits decide a win: a number too long for its column loses its start.
    ListBox1->setTextElideMode(Qt::ElideLeft);
    ListBox2->setTextElideMode(Qt::ElideLeft);
    ScrollTogether(*ListBox1, *ListBox3);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setTabChangesFocus(true);
    resultLogView_ = new TResultLogView(*Memo1, state_.resultLog, this);

    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    Edit2->installEventFilter(this);
    ListBox2->installEventFilter(this);
    connect(Edit2, &QLineEdit::textEdited, this, &TForm1::Edit2Edited);

    SetTabOrder({ListBox1, ListBox2, Button1, Edit2, Memo1, Button2, Button3, ListBox3});
}

void TForm1::BuildTicketsPage()
{
    ticketWins_ = new TTicketWinsModel(this);
    ticketWinsSorted_ = new QSortFilterProxyModel(this);
    ticketWinsSorted_->setSourceModel(ticketWins_);
    ticketWinsSorted_->setSortRole(TTicketWinsModel::kSortRole);
    ListView1 = Place(new QTableView(TabSheet3), "ListView1", 8, 8, 537, 185);
    Label6 = Place(new QLabel(TabSheet3), "Label6", 8, 199, 537, 16);
    ListView1->setModel(ticketWinsSorted_);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->verticalHeader()->setDefaultSectionSize(kListItemHeight + 6);
    ListView1->horizontalHeader()->setStretchLastSection(true);
    ListView1->setColumnWidth(TTicketWinsModel::kTicketColumn, 160);
    ListView1->setColumnWidth(TTicketWinsModel::kClassesColumn, 220);
    ListView1->setSortingEnabled(true);
    // Ticket order until the user sorts by a column.
    ListView1->sortByColumn(-1, Qt::AscendingOrder);
}

void TForm1::BuildFootLine()
{
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    Label5 = new QLabel(StatusBar1);
    Label5->setObjectName(QStringLiteral("Label5"));
    StatusBar1->addWidget(Label5, 1);
    setStatusBar(StatusBar1);
}

void TForm1::BuildGrowth()
{
    using TShare = TGrowthLayout::Share;
    const TShare fixed = TGrowthLayout::kFixed;
    const TShare stretch = TGrowthLayout::kStretch;
    const TShare moves = TGrowthLayout::kMoves;
    growth_.Add(PageControl1, stretch, stretch);

    growth_.Add(DriveComboBox1, fixed, fixed);
    growth_.Add(DirectoryListBox1, fixed, stretch);
    growth_.Add(FileListBox1, stretch, stretch);
    growth_.Add(Label1, fixed, moves);
    growth_.Add(Edit1, stretch, moves);

    // The three lists, the entry box and the results share the new width; the buttons stay
    // beside the lists.
    growth_.Add(ListBox3, TShare{0, 0.22}, stretch);
    growth_.Add(Label2, TShare{0.22, 0.22}, fixed);
    growth_.Add(ListBox1, TShare{0.22, 0.44}, stretch);
    growth_.Add(Label3, TShare{0.44, 0.44}, fixed);
    growth_.Add(ListBox2, TShare{0.44, 0.66}, stretch);
    for (QWidget* beside : std::initializer_list<QWidget*>{Button1, Button2, Button3})
        growth_.Add(beside, TShare{0.66, 0.66}, fixed);
    growth_.Add(Edit2, TShare{0.66, 0.74}, fixed);
    growth_.Add(Label4, TShare{0.74, 0.74}, fixed);
    growth_.Add(Memo1, TShare{0.74, 1}, stretch);

    growth_.Add(ListView1, stretch, stretch);
    growth_.Add(Label6, stretch, moves);
}

void TForm1::ShowFootLine(const QString& text)
{
    // The line may be longer than the window: the tip shows it whole.
    Label5->setText(text);
    Label5->setToolTip(text);
}

void TForm1::BuildMenu()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    File1 = MainMenu1->addMenu(QStringLiteral("ファイル"));
    File1->setObjectName(QStringLiteral("File1"));
    N1 = File1->addAction(QStringLiteral("自分のクジの番号を保存"));
    N2 = File1->addAction(QStringLiteral("自分のクジの番号を開く"));
    N3 = File1->addAction(QStringLiteral("確認結果を保存"));
    N4 = File1->addSeparator();
    Exit1 = File1->addAction(QStringLiteral("終了"));
    About1 = MainMenu1->addAction(QStringLiteral("バージョン情報"));
    N1->setObjectName(QStringLiteral("N1"));
    N2->setObjectName(QStringLiteral("N2"));
    N3->setObjectName(QStringLiteral("N3"));
    N4->setObjectName(QStringLiteral("N4"));
    Exit1->setObjectName(QStringLiteral("Exit1"));
    About1->setObjectName(QStringLiteral("About1"));

    connect(N1, &QAction::triggered, this, &TForm1::N1Click);
    connect(N2, &QAction::triggered, this, &TForm1::N2Click);
    connect(N3, &QAction::triggered, this, &TForm1::N3Click);
    connect(Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
    connect(About1, &QAction::triggered, this, &TForm1::About1Click);
    BuildDrawMenuItems();
    BuildWorkbookMenuItem();
}

void TForm1::BuildWorkbookMenuItem()
{
    // Right after the results command; there is something to save once a check has won.
    N8 = new QAction(QStringLiteral("確認結果を Excel 形式で保存..."), File1);
    N8->setObjectName(QStringLiteral("N8"));
    File1->insertAction(N5, N8);
    N8->setEnabled(false);
    connect(N8, &QAction::triggered, this, &TForm1::N8Click);
}

void TForm1::BuildDrawMenuItems()
{
    // After the results command, before the separator; the older items keep their places.
    N5 = new QAction(QStringLiteral("クジの種類を作成..."), File1);
    N6 = new QAction(QStringLiteral("クジの種類を編集..."), File1);
    N7 = new QAction(QStringLiteral("連番で追加..."), File1);
    N5->setObjectName(QStringLiteral("N5"));
    N6->setObjectName(QStringLiteral("N6"));
    N7->setObjectName(QStringLiteral("N7"));
    N5->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    N6->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    N7->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    File1->insertActions(N4, {N5, N6, N7});
    N6->setEnabled(false);

    connect(N5, &QAction::triggered, this, &TForm1::N5Click);
    connect(N6, &QAction::triggered, this, &TForm1::N6Click);
    connect(N7, &QAction::triggered, this, &TForm1::N7Click);
    connect(FileListBox1, &TFileListBox::Change, this, &TForm1::UpdateDrawCommands);
}

void TForm1::FormCreate()
{
    Timer1->start();
    if (!Timer1->isActive())
        throw TKelmoraError("タイマーを取得できません");
}

void TForm1::SelectDefinition(const std::string& path)
{
    if (path.empty())
        return;
    TLotteryDefinition definition;
    try {
        definition = LoadDefinition(path);
    } catch (const TKelmoraError&) {
        // A draw that cannot be read must not leave the one before it to be checked in its place.
        ShowDefinition(TLotteryDefinition());
        drawSelected_ = false;
        throw;
    }
    ShowDefinition(definition);
    drawSelected_ = true;
}

void TForm1::ShowDefinition(const TLotteryDefinition& definition)
{
    {
        TLineListModel::ResetScope numbers(*winningNumbers_);
        TLineListModel::ResetScope labels(*winningLabels_);
        ApplyDefinition(definition, state_);
        winningNumbers_->SetEntries(state_.WinningTable().Numbers());
        winningLabels_->SetEntries(state_.WinningTable().Labels());
    }
    resultLogView_->Reload();
    ShowWinTotal();
    Edit1->setText(DecodeCp932(definition.eventName));
    N8->setEnabled(false);
}

void TForm1::OpenTicketFile(const std::string& path)
{
    TLineListModel::ResetScope tickets(*ticketNumbers_);
    state_.ticketList.Open(path);
    savedTickets_ = state_.ticketList.Entries();
}

void TForm1::OpenOrAddTicketFile(const std::string& path, bool ask)
{
    // A file that cannot be read is refused before anything is asked.
    TLineList lines = ReadLineFile(path);
    const TOpenChoice choice =
        ask ? AskHowToOpen(this, windowTitle(), path, state_.ticketList.Count()) : TOpenChoice::Replace;
    if (choice == TOpenChoice::Cancel)
        return;
    const std::size_t count = lines.size();
    TLineListModel::ResetScope tickets(*ticketNumbers_);
    if (choice == TOpenChoice::Replace) {
        state_.ticketList.Replace(std::move(lines));
        savedTickets_ = state_.ticketList.Entries();
        return;
    }
    state_.ticketList.Append(lines);
    ShowFootLine(QStringLiteral("%1 枚の番号を追加しました").arg(count));
}

void TForm1::FileListBox1Change()
{
    SelectDefinition(FileListBox1->SelectedFilePath());
}

void TForm1::Button1Click()
{
    AddTicketNumber();
}

void TForm1::Edit2KeyDown(int key, Qt::KeyboardModifiers /*shift*/)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        AddTicketNumber();
}

void TForm1::AddTicketNumber()
{
    AddTicketLines(Edit2->text());
    Edit2->clear();
}

void TForm1::Edit2Edited(const QString& text)
{
    // A pasted list goes in at once, a ticket a line.
    if (text.contains(u'\n') || text.contains(u'\r'))
        AddTicketNumber();
}

void TForm1::AddTicketLines(const QString& text)
{
    const TLineList numbers = NumbersOfLines(text);
    if (numbers.size() == 1)
        ticketNumbers_->AppendRow([&] { state_.ticketList.Add(numbers.front()); });
    else if (numbers.size() > 1)
        AddTicketNumbers(numbers);
    if (numbers.size() > 1)
        ShowFootLine(QStringLiteral("%1 枚の番号を追加しました").arg(numbers.size()));
    if (!numbers.empty())
        ListBox2->ShowRow(ticketNumbers_->rowCount() - 1);
}

void TForm1::Button2Click()
{
    const int row = ListBox2->SelectedIndex();
    if (row < 0)
        return;
    ticketNumbers_->RemoveRow(row, [&] { state_.ticketList.Delete(row); });
    ListBox2->clearSelection();
    // The view stays where the user was: on the entry that took the deleted one's place.
    ListBox2->ShowRow(std::min(row, ticketNumbers_->rowCount() - 1));
}

void TForm1::Button3Click()
{
    state_.CheckRequested = true;
}

void TForm1::Timer1Timer()
{
    if (!state_.CheckRequested)
        return;
    try {
        resultLogView_->TakeUserEdits();
    } catch (...) {
        // Refused text stays refused; asking again on every tick would not help.
        state_.CheckRequested = false;
        throw;
    }
    const std::size_t shown = state_.resultLog.Text().size();
    RunRequestedCheck(state_);
    N8->setEnabled(state_.lastResult && !state_.lastResult->Wins().empty());
    resultLogView_->ShowAppended(shown);
    // Without a draw nothing can win: say so, and no 確認完了 lets an empty result look like a loss.
    if (!drawSelected_) {
        ShowFootLine(QStringLiteral("クジの種類が選ばれていません"));
        return;
    }
    ShowWinTotal();
    ShowCompletionMessage();
}

void TForm1::ShowWinTotal()
{
    const QString line =
        state_.lastResult ? DecodeCp932(WinTotalLine(state_.lastResult->Total(), state_.draw->definition)) : QString();
    ShowFootLine(line);
    ticketWins_->SetResult(state_.lastResult);
    Label6->setText(line);
}

void TForm1::ShowCompletionMessage()
{
    // Not modal and no nested loop: the main window stays usable, and the next tick (which
    // may run a further check) comes while this box is still open.
    auto* box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("メッセージ"), QStringLiteral("確認完了"),
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void TForm1::N1Click()
{
    SaveTickets();
}

bool TForm1::SaveTickets()
{
    if (!SaveDialog1.Execute(this) || !MayReplaceFile(this, windowTitle(), SaveDialog1.FileName()))
        return false;
    state_.ticketList.Save(SaveDialog1.FileName());
    savedTickets_ = state_.ticketList.Entries();
    return true;
}

void TForm1::N2Click()
{
    if (!OpenDialog1.Execute(this))
        return;
    OpenOrAddTicketFile(OpenDialog1.FileName(), TicketsUnsaved());
}

void TForm1::N3Click()
{
    if (!SaveDialog2.Execute(this) || !MayReplaceFile(this, windowTitle(), SaveDialog2.FileName()))
        return;
    resultLogView_->TakeUserEdits();
    state_.resultLog.SaveToFile(SaveDialog2.FileName());
}

void TForm1::N8Click()
{
    // The result of the last check, as the window shows it: the workbook is a view of the same wins.
    const std::shared_ptr<const TCheckResult> result = state_.lastResult;
    if (!result || !SaveDialog3.Execute(this) || !MayReplaceFile(this, windowTitle(), SaveDialog3.FileName()))
        return;
    SaveCheckWorkbook(SaveDialog3.FileName(), *result);
}

void TForm1::Exit1Click()
{
    close();
}

void TForm1::About1Click()
{
    if (aboutWindow_)
        aboutWindow_->ShowAbout();
}

void TForm1::PageChanged()
{
    // A page reached by Ctrl+Tab or a click starts at its first control in tab order; arrows
    // on the tabs keep the focus there, so the user can go on to the next page.
    if (focusWidget() == PageControl1->tabBar())
        return;
    QWidget* const page = PageControl1->currentWidget();
    QWidget* first = page == TabSheet1 ? static_cast<QWidget*>(DirectoryListBox1)
        : page == TabSheet2            ? static_cast<QWidget*>(ListBox1)
                                       : static_cast<QWidget*>(ListView1);
    first->setFocus(Qt::TabFocusReason);
}

void TForm1::N5Click()
{
    OpenDrawEditor(TLotteryDefinition(), std::string(), std::nullopt);
}

void TForm1::N6Click()
{
    const std::string path = FileListBox1->SelectedFilePath();
    if (path.empty())
        return;
    // One editor per draw: a second would save over the first one's changes.
    if (TForm3* editor = EditorOf(path)) {
        editor->raise();
        editor->activateWindow();
        return;
    }
    // The editor needs the file itself: a draw that cannot be read is not edited as an empty one.
    // The bytes read are also what a later save compares the file with.
    TByteString bytes = ReadWholeFile(path);
    const TLotteryDefinition definition = LoadDefinition(ParseDefinitionProfile(TProfileFile::Cp932Bytes(bytes, path)));
    OpenDrawEditor(definition, path, std::move(bytes));
}

void TForm1::N7Click()
{
    // The check page shows the numbers just added.
    auto* form4 = new TForm4(
        [this](const TLineList& numbers) {
            AddTicketNumbers(numbers);
            PageControl1->setCurrentWidget(TabSheet2);
        },
        this);
    CentreOver(*form4, *this);
    form4->show();
}

void TForm1::OpenDrawEditor(const TLotteryDefinition& definition, const std::string& path,
                            std::optional<TByteString> onDisk)
{
    auto* form3 =
        new TForm3(TDrawDraft::FromDefinition(definition), path, std::move(onDisk), FileListBox1->Directory(), this);
    connect(form3, &TForm3::Saved, this,
            [this, selected = path](const std::string& saved) { DrawSaved(saved, selected); });
    CentreOver(*form3, *this);
    form3->show();
}

TForm3* TForm1::EditorOf(const std::string& path) const
{
    for (TForm3* editor : findChildren<TForm3*>())
        if (editor->isVisible() && platform::SameFile(editor->Path(), path))
            return editor;
    return nullptr;
}

void TForm1::UpdateDrawCommands()
{
    N6->setEnabled(FileListBox1->SelectedIndex() >= 0);
}

void TForm1::DrawSaved(const std::string& path, const std::string& selectedWhenOpened)
{
    const std::string selected = FileListBox1->SelectedFilePath();
    const bool wasSelected = !selected.empty() && (selected == path || selected == selectedWhenOpened);
    if (platform::ResolvedDirectoryOf(path) != FileListBox1->Directory())
        return;
    if (wasSelected) {
        ShowDefinitionFile(path);
        return;
    }
    // A new file in the shown folder appears in the list; the selection stays as it was, and
    // so does what it put in the window (the results of a check are not thrown away).
    const std::string name = platform::FileNameOf(selected);
    const QSignalBlocker quiet(FileListBox1);
    FileListBox1->ListFiles();
    if (!name.empty())
        FileListBox1->SelectFileNamed(name);
}

void TForm1::ShowDefinitionFile(const std::string& path)
{
    DirectoryListBox1->EnterDirectory(platform::ResolvedDirectoryOf(path));
    // Listed afresh, so that a file just written is there and selecting it reads it again.
    FileListBox1->ListFiles();
    FileListBox1->SelectFileNamed(platform::FileNameOf(path));
    PageControl1->setCurrentWidget(TabSheet1);
}

void TForm1::ShowTicketFile(const std::string& path)
{
    OpenTicketFile(path);
    // The draws beside the tickets are the likely ones to check them against.
    DirectoryListBox1->EnterDirectory(platform::ResolvedDirectoryOf(path));
    PageControl1->setCurrentWidget(TabSheet2);
}

void TForm1::AddTicketNumbers(const TLineList& numbers)
{
    TLineListModel::ResetScope tickets(*ticketNumbers_);
    for (const std::string_view number : numbers)
        state_.ticketList.Add(number);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        growth_.Apply(centralWidget()->size() - kClientSize);
    // The entry box reports its keys before it handles them, and handles them all the same.
    if (watched == Edit2 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        Edit2KeyDown(key->key(), key->modifiers());
    }
    // A list pasted into the ticket list adds its lines, as into the entry box.
    if (watched == ListBox2 && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
        AddTicketLines(QApplication::clipboard()->text());
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // Refused until every window's work is safe: an error on the way must not close it.
    event->ignore();
    if (!MayDiscardTickets() || !CloseOwnedWindows())
        return;
    event->accept();
    QMainWindow::closeEvent(event);
    emit Closed();
}

bool TForm1::MayDiscardTickets()
{
    if (!TicketsUnsaved())
        return true;
    const auto answer = QMessageBox::question(
        this, windowTitle(), QStringLiteral("自分のクジの番号が保存されていません。保存しますか？"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    return answer == QMessageBox::Discard || (answer == QMessageBox::Save && SaveTickets());
}

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedTicketFile(event->mimeData()).empty())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event)
{
    const std::string path = DroppedTicketFile(event->mimeData());
    if (path.empty())
        return;
    event->acceptProposedAction();
    // A drop on a list that holds tickets may mean either: asked.
    OpenOrAddTicketFile(path, state_.ticketList.Count() > 0);
    PageControl1->setCurrentWidget(TabSheet2);
}

bool TForm1::CloseOwnedWindows()
{
    QList<TForm3*> unsaved;
    for (TForm3* editor : findChildren<TForm3*>())
        if (editor->isVisible() && editor->HasUnsavedChanges())
            unsaved << editor;
    if (!unsaved.isEmpty()) {
        const auto answer = QMessageBox::question(
            this, windowTitle(),
            QStringLiteral("クジの種類の編集に保存されていない変更があります（%1 件）。保存しますか？")
                .arg(unsaved.size()),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
        if (answer == QMessageBox::Cancel) {
            // Back to the unsaved draw, in front of this window.
            unsaved.front()->raise();
            unsaved.front()->activateWindow();
            return false;
        }
        for (TForm3* editor : unsaved) {
            if (answer == QMessageBox::Save && !editor->Save()) {
                editor->raise();
                return false;
            }
        }
    }
    // Nothing the program shows outlives its main window.
    for (TForm3* editor : findChildren<TForm3*>())
        editor->CloseDiscarding();
    for (QWidget* window : findChildren<QWidget*>())
        if (window->isWindow() && window->isVisible())
            window->close();
    return true;
}

void TForm1::setVisible(bool visible)
{
    if (visible && !placed_) {
        placed_ = true;
        adjustSize();
        CentreOnScreen(*this);
    }
    QMainWindow::setVisible(visible);
}

} // namespace kelmora::ui
