#pragma once

class QWidget;

namespace kelmora::ui {

// Centres a window that has not been shown yet on the screen it will open on.
void CentreOnScreen(QWidget& window);

// A window that belongs to `owner` opens centred over it, inside the screen's free area.
void CentreOver(QWidget& window, const QWidget& owner);

// A dialog opens centred horizontally on the monitor of `owner`, its top at one third of the
// height left free.
void PlaceDialog(QWidget& dialog, const QWidget* owner);

} // namespace kelmora::ui
