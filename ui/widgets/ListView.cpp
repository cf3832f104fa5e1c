#include "ui/widgets/ListView.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>

namespace kelmora::ui {

void TListView::keyPressEvent(QKeyEvent* event)
{
    if (SelectFocusedEntry(*event)) {
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

bool TListView::SelectFocusedEntry(const QKeyEvent& event)
{
    if ((event.key() != Qt::Key_Down && event.key() != Qt::Key_Up) ||
        (event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    QItemSelectionModel* selection = selectionModel();
    if (!selection || !model() || model()->rowCount() == 0 || selection->hasSelection())
        return false;
    QModelIndex entry = currentIndex();
    if (!entry.isValid())
        entry = model()->index(0, 0);
    selection->setCurrentIndex(entry, QItemSelectionModel::ClearAndSelect);
    scrollTo(entry);
    return true;
}

void TListView::paintEvent(QPaintEvent* event)
{
    QListView::paintEvent(event);
    // A current entry draws its own mark (DrawItemFocusFrame); without one, the first place has it.
    if (!hasFocus() || currentIndex().isValid())
        return;
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Text), 1, Qt::DotLine));
    painter.drawRect(QRect(0, 0, viewport()->width(), EntryHeight()).adjusted(0, 0, -1, -1));
}

bool TListView::IsCutShort(int row) const
{
    const QModelIndex index = model() ? model()->index(row, 0) : QModelIndex();
    if (!index.isValid())
        return false;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    // An entry may be laid out wider than the list; what shows is what the list has room for.
    option.rect = visualRect(index).intersected(viewport()->rect());
    // The text's room: the entry less the style's margins and any icon before it.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, &option, this) + 1;
    int room = option.rect.width() - 2 * margin;
    if (index.data(Qt::DecorationRole).isValid())
        room -= option.decorationSize.width() + 2 * margin;
    return fontMetrics().horizontalAdvance(index.data(Qt::DisplayRole).toString()) > room;
}

bool TListView::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QListView::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    // A model's own tooltip wins.
    if (!index.isValid() || index.data(Qt::ToolTipRole).isValid())
        return QListView::viewportEvent(event);
    if (IsCutShort(index.row()))
        QToolTip::showText(help->globalPos(), index.data(Qt::DisplayRole).toString(), viewport(), visualRect(index));
    else
        QToolTip::hideText();
    return true;
}

} // namespace kelmora::ui
