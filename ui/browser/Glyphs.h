#pragma once

#include <QPixmap>
#include <QString>

namespace kelmora::ui {

// The browser glyph ":/glyphs/<name>.bmp" with the colour of its bottom-left pixel made
// transparent; a null pixmap when the resource is missing.
QPixmap LoadGlyph(const QString& name);

} // namespace kelmora::ui
