#include "ui/browser/ItemFocusFrame.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStyleOptionViewItem>

namespace kelmora::ui {

void DrawItemFocusFrame(QPainter* painter, const QStyleOptionViewItem& option, bool highlighted)
{
    if (!(option.state & QStyle::State_HasFocus))
        return;
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(option);
    focus.backgroundColor = option.palette.color(highlighted ? QPalette::Highlight : QPalette::Base);
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
}

} // namespace kelmora::ui
