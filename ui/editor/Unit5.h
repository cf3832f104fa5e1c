#pragma once

#include "core/draw/DrawDraft.h"

#include <QDialog>

#include <functional>
#include <vector>

class QLabel;
class QPushButton;

namespace kelmora::ui {

class TCp932Edit;

// "ジャンボの型": the classes of a jumbo draw from its 1等 numbers and prizes, for the editor.
class TForm5 : public QDialog {
    Q_OBJECT
public:
    using AddRows = std::function<void(std::vector<TDrawDraft::Row> rows)>;

    TForm5(AddRows addRows, QWidget* parent);

    // Event handlers.
    void Button1Click();
    void Button2Click();

private:
    QLabel* Label1 = nullptr;       // Label1: caption "1等の番号" of Edit1
    TCp932Edit* Edit1 = nullptr;    // Edit1: the 1等 numbers, 組 and 番号, separated by commas or blanks
    QLabel* Label2 = nullptr;       // Label2: caption "1等の賞" of Edit2
    TCp932Edit* Edit2 = nullptr;    // Edit2: the 1等 prize
    QLabel* Label3 = nullptr;       // Label3: caption "前後賞" of Edit3
    TCp932Edit* Edit3 = nullptr;    // Edit3: the prize of each 前後賞
    QLabel* Label4 = nullptr;       // Label4: caption "組違い賞" of Edit4
    TCp932Edit* Edit4 = nullptr;    // Edit4: the 組違い賞 prize
    QPushButton* Button1 = nullptr; // Button1: adds the classes to the draw (the default button: Enter)
    QPushButton* Button2 = nullptr; // Button2: closes without adding (Escape)

    AddRows addRows_;
};

} // namespace kelmora::ui
