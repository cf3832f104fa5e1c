#include "ui/widgets/ListView.h"

#include <QKeyEvent>
#include <QPainter>

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

} // namespace kelmora::ui
