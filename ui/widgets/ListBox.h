#pragma once

#include "ui/widgets/ListView.h"

namespace kelmora::ui {

// A plain list box: entries of one fixed height in the model's order, at most one selected.
class TListBox : public TListView {
    Q_OBJECT
public:
    TListBox(QAbstractItemModel* model, int itemHeight, QWidget* parent);

    // The selected row, -1 for none.
    int SelectedIndex() const;

    // Scrolls `row` into view, also when the rows before it are still being laid out.
    void ShowRow(int row);

protected:
    void updateGeometries() override;
    int EntryHeight() const override { return itemHeight_; }

private:
    int itemHeight_;
    int pendingRow_ = -1;
};

} // namespace kelmora::ui
