#pragma once

#include "core/results/ResultsText.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kelmora::ui {

// "結果の貼り付け": announced results pasted as text, shown as the classes they make (or the
// line that is refused) before they go into the draw editor's table.
class TForm6 : public QDialog {
    Q_OBJECT
public:
    using UseDraw = std::function<void(const TResultsDraw& draw)>;

    TForm6(UseDraw useDraw, QWidget* parent);

    // Event handlers.
    void Memo1Change();
    void Button1Click();
    void Button2Click();

private:
    QLabel* Label1 = nullptr;        // Label1: caption of Memo1
    QPlainTextEdit* Memo1 = nullptr; // Memo1: the results text, pasted or typed
    QLabel* Label2 = nullptr;        // Label2: caption of Memo2
    QPlainTextEdit* Memo2 = nullptr; // Memo2: the classes the text makes, each with its line; or the refusal
    QPushButton* Button1 = nullptr;  // Button1: puts the classes into the editor's table (only when read)
    QPushButton* Button2 = nullptr;  // Button2: closes without using the text (Escape)

    UseDraw useDraw_;
};

} // namespace kelmora::ui
