#include "ui/editor/DrawGrid.h"

#include "ui/editor/DrawCellDelegate.h"
#include "ui/editor/DrawTableModel.h"

#include <QFocusEvent>
#include <QHeaderView>

namespace kelmora::ui {

TDrawGrid::TDrawGrid(TDrawTableModel* model, QWidget* parent) : QTableView(parent), model_(model)
{
    setModel(model_);
    setItemDelegate(new TDrawCellDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    verticalHeader()->setDefaultSectionSize(20);
    horizontalHeader()->setStretchLastSection(true);
}

void TDrawGrid::CommitEdit()
{
    if (state() != EditingState)
        return;
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

QModelIndex TDrawGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = currentIndex();
    const int lastColumn = model_->columnCount() - 1;
    if (cursorAction == MoveNext) {
        // Tab on the last cell makes room for another class.
        if (!current.isValid() || (current.row() == model_->rowCount() - 1 && current.column() == lastColumn)) {
            model_->InsertRow(model_->rowCount());
            return model_->index(model_->rowCount() - 1, 0);
        }
        if (current.column() == lastColumn)
            return model_->index(current.row() + 1, 0);
        return model_->index(current.row(), current.column() + 1);
    }
    if (cursorAction == MovePrevious && current.isValid()) {
        if (current.column() > 0)
            return model_->index(current.row(), current.column() - 1);
        if (current.row() > 0)
            return model_->index(current.row() - 1, lastColumn);
        return current;
    }
    return QTableView::moveCursor(cursorAction, modifiers);
}

void TDrawGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    emit CurrentCellChanged();
}

void TDrawGrid::focusInEvent(QFocusEvent* event)
{
    // Tab from the name lands on the first cell.
    if (!currentIndex().isValid() && model_->rowCount() > 0)
        setCurrentIndex(model_->index(0, 0));
    if (event->reason() == Qt::TabFocusReason && model_->rowCount() > 0)
        setCurrentIndex(model_->index(0, 0));
    QTableView::focusInEvent(event);
}

} // namespace kelmora::ui
