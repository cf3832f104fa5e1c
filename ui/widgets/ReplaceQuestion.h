#pragma once

#include <QString>

#include <string>

class QWidget;

namespace kelmora::ui {

// Asks before a save replaces a file that is there (`path` in native bytes): true when nothing
// is there or the user answers Yes. No is the default, and Escape answers it.
bool MayReplaceFile(QWidget* parent, const QString& caption, const std::string& path);

} // namespace kelmora::ui
