#include "ui/ListBox.h"

#include <QStyledItemDelegate>

namespace kelmora::ui {
namespace {

class TFixedHeightDelegate : public QStyledItemDelegate {
public:
    TFixedHeightDelegate(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
    }

private:
    int height_;
};

} // namespace

TListBox::TListBox(QAbstractItemModel* model, int itemHeight, QWidget* parent) : QListView(parent)
{
    setItemDelegate(new TFixedHeightDelegate(itemHeight, this));
    // With a million entries, measuring each row would take seconds, and even placing them
    // takes long enough to be seen: the first rows show at once, the rest follow in batches.
    setUniformItemSizes(true);
    setLayoutMode(QListView::Batched);
    setBatchSize(10000);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setModel(model);
}

int TListBox::SelectedIndex() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

} // namespace kelmora::ui
