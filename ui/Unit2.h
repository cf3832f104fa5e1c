#pragma once

#include <QWidget>

class QLabel;

namespace kelmora::ui {

class TPushButton;

// The about window: a picture with the program's version. Created hidden at start-up, shown
// without blocking the main window, hidden (not destroyed) by its OK button.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    void Button1Click();
    // Shows the window, or brings it to the front when it is shown already.
    void ShowAbout();

    void setVisible(bool visible) override;

private:
    QLabel* Image1;       // Image1: the picture covering the window
    QLabel* Label1;       // Label1: the version, "Ver 1.0", over the picture
    TPushButton* Button1; // Button1: "OK", hides the window

    bool placed_ = false;
};

} // namespace kelmora::ui
