#pragma once

#include "core/draw/DrawDraft.h"

#include <QDialog>

#include <array>
#include <functional>
#include <vector>

class QLabel;
class QPushButton;

namespace kelmora::ui {

class TCp932Edit;

// "ビンゴ5の型": the classes of a ビンゴ5 draw from its 8 numbers in cell order.
class TForm8 : public QDialog {
    Q_OBJECT
public:
    using AddRows = std::function<void(std::vector<TDrawDraft::Row> rows)>;

    TForm8(AddRows addRows, QWidget* parent);

    // Event handlers.
    void Button1Click();
    void Button2Click();

private:
    QLabel* Label1 = nullptr;                 // Label1: caption "当せん数字" of Edit1
    TCp932Edit* Edit1 = nullptr;              // Edit1: the 8 drawn numbers, top left to bottom right
    std::array<QLabel*, 7> prizeLabels_{};    // Label2 to Label8: "1等" to "7等"
    std::array<TCp932Edit*, 7> prizeEdits_{}; // Edit2 to Edit8: the prize of each 等
    QPushButton* Button1 = nullptr;           // Button1: adds the classes to the draw (the default button: Enter)
    QPushButton* Button2 = nullptr;           // Button2: closes without adding (Escape)

    AddRows addRows_;
};

} // namespace kelmora::ui
