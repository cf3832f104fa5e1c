#include "ui/browser/FirstArrowKey.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace kelmora::ui {

bool ArrowSelectsFocusedEntry(QAbstractItemView& view, QKeyEvent* event)
{
    if ((event->key() != Qt::Key_Down && event->key() != Qt::Key_Up) ||
        (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    QItemSelectionModel* selection = view.selectionModel();
    const QAbstractItemModel* model = view.model();
    if (!selection || !model || model->rowCount() == 0 || selection->hasSelection())
        return false;
    QModelIndex entry = view.currentIndex();
    if (!entry.isValid())
        entry = model->index(0, 0);
    selection->setCurrentIndex(entry, QItemSelectionModel::ClearAndSelect);
    view.scrollTo(entry);
    event->accept();
    return true;
}

} // namespace kelmora::ui
