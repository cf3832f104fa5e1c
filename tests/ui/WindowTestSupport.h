#pragma once
// Helpers for driving the real widgets the way a user does, on the offscreen platform.

#include <QString>
#include <QStringList>

#include <functional>
#include <string>

class QAbstractItemView;
class QAction;
class QFileDialog;
class QMenuBar;
class QWidget;

namespace kelmora::ui::test {

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

// Types `path` into a file dialog's name box (unless empty) and presses its OK button.
void ChooseFile(QFileDialog& dialog, const QString& path);

// Whole files as bytes.
std::string ReadBytes(const QString& path);
void WriteBytes(const QString& path, const std::string& bytes);
std::string NativePath(const QString& path);

} // namespace kelmora::ui::test
