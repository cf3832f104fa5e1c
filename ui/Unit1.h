#pragma once

#include "core/check/CheckState.h"
#include "core/draw/LotteryDefinition.h"
#include "ui/widgets/FileDialog.h"
#include "ui/widgets/GrowthLayout.h"

#include <QMainWindow>

#include <optional>
#include <string>

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QStatusBar;
class QSortFilterProxyModel;
class QTabWidget;
class QTableView;
class QTimer;

namespace kelmora::ui {

class TDirectoryListBox;
class TDriveComboBox;
class TFileListBox;
class TForm2;
class TForm3;
class TLineListModel;
class TListBox;
class TPushButton;
class TResultLogView;
class TTicketListModel;
class TTicketWinsModel;

// The main window: choosing a draw on the first page, entering tickets and checking them on
// the second, the menu with the file commands, and the timer that runs requested checks.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);

    // The about window that About1Click shows (created after this window).
    void SetAboutWindow(TForm2* aboutWindow) { aboutWindow_ = aboutWindow; }

    // Selects the definition file at `path` (native path bytes); an empty path does nothing.
    void SelectDefinition(const std::string& path);
    // Replaces the ticket list with the file at `path`.
    void OpenTicketFile(const std::string& path);
    // Opens the ticket file at `path` or adds its numbers after the list's, as the user answers;
    // asked only when `ask`, and otherwise opened.
    void OpenOrAddTicketFile(const std::string& path, bool ask);

    // For the tests only: the lists and the log the window shows.
    const TCheckState& State() const { return state_; }
    TResultLogView& ResultLogView() { return *resultLogView_; }

    // Event handlers.
    void FormCreate();
    void FileListBox1Change();
    void Button1Click();
    void Edit2KeyDown(int key, Qt::KeyboardModifiers shift);
    void Button2Click();
    void Button3Click();
    void Timer1Timer();
    void N1Click();
    void N2Click();
    void N3Click();
    void Exit1Click();
    void About1Click();
    void N5Click();
    void N6Click();
    void N7Click();
    void N8Click();

    // Shows the folder of the definition file at `path` on the selection page with the file
    // selected, as a click on it would.
    void ShowDefinitionFile(const std::string& path);
    // Opens a ticket file as the ticket list and shows the check page.
    void ShowTicketFile(const std::string& path);
    // Appends numbers to the ticket list, in order.
    void AddTicketNumbers(const TLineList& numbers);

signals:
    // The window was closed, which ends the program.
    void Closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void setVisible(bool visible) override;

private:
    // Page control and pages.
    QTabWidget* PageControl1 = nullptr; // PageControl1: the two pages filling the window
    QWidget* TabSheet1 = nullptr;       // TabSheet1: page "選択", choosing the draw file
    QWidget* TabSheet2 = nullptr;       // TabSheet2: page "確認！", tickets, check and results
    QWidget* TabSheet3 = nullptr;       // TabSheet3: page "クジごと", the last check ticket by ticket

    // On TabSheet1: the file browser and the chosen draw's name.
    TDriveComboBox* DriveComboBox1 = nullptr;       // DriveComboBox1: the volume being browsed
    TDirectoryListBox* DirectoryListBox1 = nullptr; // DirectoryListBox1: the browsed folder's path and subfolders
    TFileListBox* FileListBox1 = nullptr;           // FileListBox1: the draw files (*.wkx) of that folder
    QLabel* Label1 = nullptr;                       // Label1: caption "クジの種類" of Edit1
    QLineEdit* Edit1 = nullptr;                     // Edit1: the selected draw's event name

    // On TabSheet2: the winning table, the tickets, the check and its results.
    TListBox* ListBox3 = nullptr;    // ListBox3: the prize class label beside each winning number
    QLabel* Label2 = nullptr;        // Label2: caption "クジの当選番号" of ListBox1
    TListBox* ListBox1 = nullptr;    // ListBox1: the winning numbers of the selected draw
    QLabel* Label3 = nullptr;        // Label3: caption "自分のクジの番号" of ListBox2
    TListBox* ListBox2 = nullptr;    // ListBox2: the user's ticket numbers
    TPushButton* Button1 = nullptr;  // Button1: "<<番号の追加", adds Edit2's number to ListBox2
    QLineEdit* Edit2 = nullptr;      // Edit2: the ticket number being typed
    TPushButton* Button2 = nullptr;  // Button2: "X番号の削除", deletes the selected ticket
    TPushButton* Button3 = nullptr;  // Button3: "確認！", asks for a check on the next tick
    QLabel* Label4 = nullptr;        // Label4: caption "当選した番号と賞" of Memo1
    QPlainTextEdit* Memo1 = nullptr; // Memo1: the results log, editable by the user

    // On TabSheet3: what each ticket won.
    QTableView* ListView1 = nullptr; // ListView1: every ticket, the classes it won and its yen, sortable
    QLabel* Label6 = nullptr;        // Label6: the last check's winning tickets and total

    // Below the pages.
    QStatusBar* StatusBar1 = nullptr; // StatusBar1: the window's foot line, holding Label5
    QLabel* Label5 = nullptr;         // Label5: the last check's winning tickets and total, or what it lacked

    // The menu.
    QMenuBar* MainMenu1 = nullptr; // MainMenu1: the menu bar
    QMenu* File1 = nullptr;        // File1: submenu "ファイル"
    QAction* N1 = nullptr;         // N1: save the ticket numbers
    QAction* N2 = nullptr;         // N2: open a ticket number file
    QAction* N3 = nullptr;         // N3: save the results log
    QAction* N4 = nullptr;         // N4: separator line
    QAction* Exit1 = nullptr;      // Exit1: quit
    QAction* About1 = nullptr;     // About1: "バージョン情報" on the bar, shows the about window
    QAction* N5 = nullptr;         // N5: "クジの種類を作成..." (Ctrl+N), a new draw in the draw editor
    QAction* N6 = nullptr;         // N6: "クジの種類を編集..." (Ctrl+E), the selected draw in the draw editor
    QAction* N7 = nullptr;         // N7: "連番で追加..." (Ctrl+R), adds a run of consecutive ticket numbers
    QAction* N8 = nullptr; // N8: "確認結果を Excel 形式で保存...", the last check's wins as a workbook

    // Dialogs and timer.
    TFileDialog OpenDialog1;  // OpenDialog1: chooses a ticket file to open
    TFileDialog SaveDialog1;  // SaveDialog1: chooses where to save the tickets
    TFileDialog SaveDialog2;  // SaveDialog2: chooses where to save the results
    TFileDialog SaveDialog3;  // SaveDialog3: chooses where to save the results as a workbook
    QTimer* Timer1 = nullptr; // Timer1: 10 ms tick that runs a requested check

    void BuildSelectionPage();
    void BuildCheckPage();
    void BuildTicketsPage();
    void BuildMenu();
    void BuildFootLine();
    void BuildGrowth();
    void ShowFootLine(const QString& text);
    void AddTicketNumber();
    // Adds the numbers of `text`, one a line, saying how many when more than one.
    void AddTicketLines(const QString& text);
    void Edit2Edited(const QString& text);
    // Saves the tickets through SaveDialog1; false when the user cancels.
    bool SaveTickets();
    // Whether the list holds tickets that were typed or added since it was last opened or saved.
    bool TicketsUnsaved() const { return state_.ticketList.Entries() != savedTickets_; }
    // Asks about unsaved tickets before quitting; false when the user cancels.
    bool MayDiscardTickets();
    void ShowCompletionMessage();
    void ShowWinTotal();
    void ShowDefinition(const TLotteryDefinition& definition);
    void PageChanged();
    void BuildDrawMenuItems();
    void UpdateDrawCommands();
    void DrawSaved(const std::string& path, const std::string& selectedWhenOpened);
    void OpenDrawEditor(const TLotteryDefinition& definition, const std::string& path,
                        std::optional<TByteString> onDisk);
    void BuildWorkbookMenuItem();
    // The open editor of the draw at `path`, if any.
    TForm3* EditorOf(const std::string& path) const;
    // Asks once about unsaved draws, then closes every window this one owns; false when the
    // user cancels or a save does not happen.
    bool CloseOwnedWindows();

    TCheckState state_;
    TLineList savedTickets_; // the ticket list as last opened or saved
    TLineListModel* winningNumbers_ = nullptr;
    TLineListModel* winningLabels_ = nullptr;
    TTicketListModel* ticketNumbers_ = nullptr;
    TTicketWinsModel* ticketWins_ = nullptr;
    QSortFilterProxyModel* ticketWinsSorted_ = nullptr;
    TResultLogView* resultLogView_ = nullptr;
    TForm2* aboutWindow_ = nullptr;
    TGrowthLayout growth_;
    // A draw has been read into the winning table.
    bool drawSelected_ = false;
    bool placed_ = false;
};

} // namespace kelmora::ui
