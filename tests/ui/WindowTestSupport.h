#pragma once
// Helpers for driving the real widgets the way a user does, on the offscreen platform.

#include <QObject>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

class QAbstractItemView;
class QAction;
class QFileDialog;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTimer;
class QWidget;

namespace kelmora::ui {
class TDirectoryListBox;
class TDriveComboBox;
class TFileListBox;
class TListBox;
} // namespace kelmora::ui

namespace kelmora::ui::test {

// A window's component by its name, as a user would point at it; a missing one fails the test.
template <typename Component>
Component* Find(const QObject& owner, const char* name)
{
    auto* component = owner.findChild<Component*>(QString::fromLatin1(name));
    if (!component)
        ADD_FAILURE() << "no component " << name << " of the expected type";
    return component;
}

// The main window's components, found by their names.
struct TMainWindowComponents {
    explicit TMainWindowComponents(const QWidget& form);

    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    TDriveComboBox* DriveComboBox1;
    TDirectoryListBox* DirectoryListBox1;
    TFileListBox* FileListBox1;
    QLineEdit* Edit1;
    TListBox* ListBox1;
    TListBox* ListBox2;
    TListBox* ListBox3;
    QPushButton* Button1;
    QLineEdit* Edit2;
    QPushButton* Button2;
    QPushButton* Button3;
    QPlainTextEdit* Memo1;
    QMenuBar* MainMenu1;
    QMenu* File1;
    QAction* N1;
    QAction* N2;
    QAction* N3;
    QAction* N5;
    QAction* N6;
    QAction* N7;
    QAction* N4;
    QAction* Exit1;
    QAction* About1;
    QTimer* Timer1;
};

// Types text key by key; characters outside ASCII go as key events carrying that text.
void TypeText(QWidget* widget, const QString& text);

// The rows a list view shows, as displayed.
QStringList Rows(const QAbstractItemView& view);

// Clicks a row of a list view with the mouse.
void ClickRow(QAbstractItemView& view, int row);

// Opens the menu bar's submenu that holds `item` (or clicks `item` itself when it sits on the
// bar) and clicks it, as a user does with the mouse.
void ChooseMenuItem(QMenuBar& bar, QAction* item);

// Calls `answer` with the next application-modal widget of the type asked for, from inside
// its own event loop; a test that runs into no such widget fails after a while instead of
// hanging. Returns at once.
void AnswerNextModal(const std::function<bool(QWidget*)>& isWanted, const std::function<void(QWidget*)>& answer);

template <typename Widget, typename Answer>
void AnswerNext(Answer answer)
{
    AnswerNextModal([](QWidget* widget) { return qobject_cast<Widget*>(widget) != nullptr; },
                    [answer](QWidget* widget) { answer(*qobject_cast<Widget*>(widget)); });
}

// While it lives, any application-modal window that comes up fails the test and is closed at
// once: code that must not ask the user anything then fails fast instead of waiting for an
// answer that never comes.
class TNoModalExpected {
public:
    TNoModalExpected();
    ~TNoModalExpected();
    TNoModalExpected(const TNoModalExpected&) = delete;
    TNoModalExpected& operator=(const TNoModalExpected&) = delete;

private:
    std::unique_ptr<QTimer> poll_;
};

// Types `path` into a file dialog's name box (unless empty) and presses its OK button.
void ChooseFile(QFileDialog& dialog, const QString& path);

// Whole files as bytes.
std::string ReadBytes(const QString& path);
void WriteBytes(const QString& path, const std::string& bytes);
std::string NativePath(const QString& path);

} // namespace kelmora::ui::test
