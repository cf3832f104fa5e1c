#pragma once

#include <QListView>

namespace kelmora::ui {

// A plain list box: entries of one fixed height in the model's order, at most one selected.
class TListBox : public QListView {
public:
    TListBox(QAbstractItemModel* model, int itemHeight, QWidget* parent);

    // The selected row, -1 for none.
    int SelectedIndex() const;
};

} // namespace kelmora::ui
