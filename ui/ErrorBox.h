#pragma once

#include <QString>

class QWidget;

namespace kelmora::ui {

// A message ending in a character that sorts after "." gets a closing "." (so a Japanese
// sentence does, a message ending in ")" or "." does not).
QString WithClosingPeriod(const QString& message);

// The standard error box: stop icon, one OK button, every window of the application disabled
// until it is closed.
void ShowErrorBox(const QString& caption, const QString& text);

} // namespace kelmora::ui
