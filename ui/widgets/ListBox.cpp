#include "ui/widgets/ListBox.h"

#include "ui/widgets/EntryPainting.h"

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

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        // The style's own focus frame shows only after Tab and hardly on the highlight.
        QStyleOptionViewItem plain = option;
        plain.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, plain, index);
        DrawItemFocusFrame(painter, option, option.state & QStyle::State_Selected);
    }

private:
    int height_;
};

} // namespace

TListBox::TListBox(QAbstractItemModel* model, int itemHeight, QWidget* parent)
    : TListView(parent),
      itemHeight_(itemHeight)
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

void TListBox::ShowRow(int row)
{
    pendingRow_ = row;
    updateGeometries();
}

void TListBox::updateGeometries()
{
    QListView::updateGeometries();
    if (pendingRow_ < 0)
        return;
    const QModelIndex index = model()->index(pendingRow_, 0);
    if (!index.isValid()) {
        pendingRow_ = -1;
        return;
    }
    // A batch that has not reached the row yet gives it no place; the last batch will.
    if (!visualRect(index).isValid())
        return;
    pendingRow_ = -1;
    scrollTo(index);
}

} // namespace kelmora::ui
