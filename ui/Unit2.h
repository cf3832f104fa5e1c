#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace kelmora::ui {

// The about window: a picture with the program's version. Created hidden at start-up, shown
// without blocking the main window, hidden (not destroyed) by its OK button.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* Label1;
    QPushButton* Button1;

    void Button1Click();
    // Shows the window, or brings it to the front when it is shown already.
    void ShowAbout();

    void setVisible(bool visible) override;

private:
    bool placed_ = false;
};

} // namespace kelmora::ui
