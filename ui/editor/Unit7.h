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

// "ナンバーズの型": the classes of a ナンバーズ3 or ナンバーズ4 draw from its drawn number.
class TForm7 : public QDialog {
    Q_OBJECT
public:
    using AddRows = std::function<void(std::vector<TDrawDraft::Row> rows)>;

    TForm7(AddRows addRows, QWidget* parent);

    // Event handlers.
    void Button1Click();
    void Button2Click();

private:
    QLabel* Label1 = nullptr;                 // Label1: caption "当せん番号" of Edit1
    TCp932Edit* Edit1 = nullptr;              // Edit1: the drawn number, 3 or 4 digits
    std::array<QLabel*, 5> prizeLabels_{};    // Label2 to Label6: the purchase types
    std::array<TCp932Edit*, 5> prizeEdits_{}; // Edit2 to Edit6: the prize of each purchase type
    QPushButton* Button1 = nullptr;           // Button1: adds the classes to the draw (the default button: Enter)
    QPushButton* Button2 = nullptr;           // Button2: closes without adding (Escape)

    AddRows addRows_;
};

} // namespace kelmora::ui
