#pragma once

#include "core/draw/DrawDraft.h"

#include <QDialog>

#include <array>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace kelmora::ui {

class TCp932Edit;

// "ロトの型": the classes of a ロト6, ロト7 or ミニロト draw from its numbers as announced.
class TForm9 : public QDialog {
    Q_OBJECT
public:
    using AddRows = std::function<void(std::vector<TDrawDraft::Row> rows)>;

    TForm9(AddRows addRows, QWidget* parent);

    // Event handlers.
    void ComboBox1Change();
    void Button1Click();
    void Button2Click();

private:
    QComboBox* ComboBox1 = nullptr;        // ComboBox1: the game, ロト6, ロト7 or ミニロト
    QLabel* Label1 = nullptr;              // Label1: caption "当せん数字" of Edit1
    TCp932Edit* Edit1 = nullptr;           // Edit1: 本数字 and the ボーナス数字 in parentheses, as announced
    std::array<QLabel*, 6> prizeLabels_{}; // Label2 to Label7: "1等" to "6等"
    std::array<TCp932Edit*, 6> prizeEdits_{}; // Edit2 to Edit7: the prize of each 等
    QPushButton* Button1 = nullptr;           // Button1: adds the classes to the draw (the default button: Enter)
    QPushButton* Button2 = nullptr;           // Button2: closes without adding (Escape)

    AddRows addRows_;
};

} // namespace kelmora::ui
