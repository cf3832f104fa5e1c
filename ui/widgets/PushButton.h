#pragma once

#include <QPushButton>

namespace kelmora::ui {

// A push button that Enter presses while it has the focus, as Space does. It is never a
// default button: Enter elsewhere (in the ticket entry box) does not reach it.
class TPushButton : public QPushButton {
    Q_OBJECT
public:
    TPushButton(const QString& caption, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace kelmora::ui
