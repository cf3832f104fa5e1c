#pragma once

class QWidget;

namespace kelmora::ui {

// Centres a window that has not been shown yet on the screen it will open on.
void CentreOnScreen(QWidget& window);

// A dialog opens centred horizontally on the monitor of `owner`, its top at one third of the
// height left free.
void PlaceDialog(QWidget& dialog, const QWidget* owner);

} // namespace kelmora::ui
