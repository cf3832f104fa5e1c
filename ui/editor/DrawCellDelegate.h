#pragma once

#include <QStyledItemDelegate>

namespace kelmora::ui {

// Edits the draw table's cells in boxes that refuse, as they are typed, characters Shift-JIS
// cannot hold and that keep the bytes of what the user leaves alone; the 判定 column in a list
// of the kinds of match.
class TDrawCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
};

} // namespace kelmora::ui
