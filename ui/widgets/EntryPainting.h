#pragma once

class QPainter;
class QPalette;
class QRect;
class QStyleOptionViewItem;

namespace kelmora::ui {

// What every entry of the browser lists starts with: the painter saved, the entry's area
// cleared to its background (the highlight colours when highlighted) and the pen set to the
// matching text colour. Restore the painter when the entry is drawn.
void BeginEntryPaint(QPainter& painter, const QRect& rect, const QPalette& palette, bool highlighted);

// A dotted frame around the entry that has the focus, in the colour of the entry's text, so it
// shows on the highlight as well as off it, whether the focus came by mouse or by keyboard.
void DrawItemFocusFrame(QPainter* painter, const QStyleOptionViewItem& option, bool highlighted);

} // namespace kelmora::ui
