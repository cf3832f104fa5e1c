#pragma once

#include "core/base/LineList.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kelmora::ui {

class TCp932Edit;

// "連番で追加": a run of consecutive ticket numbers from a first number and a count.
class TForm4 : public QDialog {
    Q_OBJECT
public:
    using AddNumbers = std::function<void(const TLineList& numbers)>;

    TForm4(AddNumbers addNumbers, QWidget* parent);

    // Event handlers.
    void Button1Click();
    void Button2Click();

private:
    QLabel* Label1 = nullptr;       // Label1: caption "最初の番号" of Edit1
    TCp932Edit* Edit1 = nullptr;    // Edit1: the first ticket number of the run
    QLabel* Label2 = nullptr;       // Label2: caption "枚数" of Edit2
    QLineEdit* Edit2 = nullptr;     // Edit2: how many, 1 to 100,000 (10 at first)
    QPushButton* Button1 = nullptr; // Button1: adds the run to the ticket list (the default button: Enter)
    QPushButton* Button2 = nullptr; // Button2: closes without adding (Escape)

    AddNumbers addNumbers_;
};

} // namespace kelmora::ui
