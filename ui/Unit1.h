#pragma once

#include "core/CheckState.h"
#include "core/LotteryDefinition.h"
#include "ui/FileDialog.h"

#include <QMainWindow>

#include <memory>
#include <string>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTimer;

namespace kelmora::ui {

class TDirectoryListBox;
class TDriveComboBox;
class TFileListBox;
class TForm2;
class TLineListModel;
class TListBox;
class TResultLogView;

// The main window: choosing a draw on the first page, entering tickets and checking them on
// the second, the menu with the file commands, and the timer that runs requested checks.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The about window that About1Click shows (created after this window).
    void SetAboutWindow(TForm2* aboutWindow) { aboutWindow_ = aboutWindow; }

    // Selects the definition file at `path` (native path bytes); an empty path does nothing.
    void SelectDefinition(const std::string& path);
    // Replaces the ticket list with the file at `path`.
    void OpenTicketFile(const std::string& path);

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

    // Shows the folder of the definition file at `path` on the selection page with the file
    // selected, as a click on it would.
    void ShowDefinitionFile(const std::string& path);
    // Opens a ticket file as the ticket list and shows the check page.
    void ShowTicketFile(const std::string& path);
    // Appends numbers to the ticket list, in order.
    void AddTicketNumbers(const TLineList& numbers);

    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;

    TDriveComboBox* DriveComboBox1 = nullptr;
    TDirectoryListBox* DirectoryListBox1 = nullptr;
    TFileListBox* FileListBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;

    TListBox* ListBox3 = nullptr;
    QLabel* Label2 = nullptr;
    TListBox* ListBox1 = nullptr;
    QLabel* Label3 = nullptr;
    TListBox* ListBox2 = nullptr;
    QPushButton* Button1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QLabel* Label4 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;

    QMenuBar* MainMenu1 = nullptr;
    QMenu* File1 = nullptr;
    QAction* N1 = nullptr;
    QAction* N2 = nullptr;
    QAction* N3 = nullptr;
    QAction* N4 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* About1 = nullptr;
    QAction* N5 = nullptr; // "クジの種類を作成..." (Ctrl+N): a new draw in the draw editor
    QAction* N6 = nullptr; // "クジの種類を編集..." (Ctrl+E): the selected draw, in the draw editor
    QAction* N7 = nullptr; // "連番で追加..." (Ctrl+R): a run of consecutive ticket numbers

    TFileDialog OpenDialog1;
    TFileDialog SaveDialog1;
    TFileDialog SaveDialog2;
    QTimer* Timer1 = nullptr;

signals:
    // The window was closed, which ends the program.
    void Closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void setVisible(bool visible) override;

private:
    void BuildSelectionPage();
    void BuildCheckPage();
    void BuildMenu();
    void AddTicketNumber();
    void ShowCompletionMessage();
    void BuildDrawMenuItems();
    void UpdateDrawCommands();
    void DrawSaved(const std::string& path, const std::string& selectedWhenOpened);
    void OpenDrawEditor(const TLotteryDefinition& definition, const std::string& path);

    TCheckState state_;
    TLineListModel* winningNumbers_ = nullptr;
    TLineListModel* winningLabels_ = nullptr;
    TLineListModel* ticketNumbers_ = nullptr;
    TResultLogView* resultLogView_ = nullptr;
    TForm2* aboutWindow_ = nullptr;
    bool placed_ = false;
};

} // namespace kelmora::ui
