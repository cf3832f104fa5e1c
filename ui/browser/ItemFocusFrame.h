#pragma once

class QPainter;
class QStyleOptionViewItem;

namespace kelmora::ui {

// The style's focus frame around an entry the list's own delegate has drawn.
void DrawItemFocusFrame(QPainter* painter, const QStyleOptionViewItem& option, bool highlighted);

} // namespace kelmora::ui
