#include "ui/browser/FileNameDelegate.h"

#include "ui/widgets/EntryPainting.h"

#include <QPainter>

#include <algorithm>

namespace kelmora::ui {

TFileNameDelegate::TFileNameDelegate(QObject* parent) : TEntryDelegate(12, parent)
{}

void TFileNameDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    BeginEntryPaint(*painter, option.rect, option.palette, selected);
    painter->setFont(option.font);
    painter->drawText(option.rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    DrawItemFocusFrame(painter, option, selected);
    painter->restore();
}

QSize TFileNameDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const int width = 2 + option.fontMetrics.horizontalAdvance(index.data(Qt::DisplayRole).toString());
    return EntrySize(option, width);
}

} // namespace kelmora::ui
