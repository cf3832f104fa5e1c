#include "ui/widgets/EntryPainting.h"

#include <QPainter>
#include <QStyleOptionViewItem>

namespace kelmora::ui {
namespace {

void DrawDottedFrame(QPainter& painter, const QRect& rect, const QColor& colour)
{
    painter.save();
    QPen pen(colour, 1, Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.restore();
}

} // namespace

void BeginEntryPaint(QPainter& painter, const QRect& rect, const QPalette& palette, bool highlighted)
{
    painter.save();
    painter.fillRect(
        rect, highlighted ? palette.brush(QPalette::Active, QPalette::Highlight) : palette.brush(QPalette::Base));
    painter.setPen(highlighted ? palette.color(QPalette::Active, QPalette::HighlightedText)
                               : palette.color(QPalette::Text));
}

void DrawItemFocusFrame(QPainter* painter, const QStyleOptionViewItem& option, bool highlighted)
{
    if (!(option.state & QStyle::State_HasFocus))
        return;
    const QPalette& palette = option.palette;
    DrawDottedFrame(*painter, option.rect,
                    highlighted ? palette.color(QPalette::Active, QPalette::HighlightedText)
                                : palette.color(QPalette::Text));
}

} // namespace kelmora::ui
