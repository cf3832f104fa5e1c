#include "ui/editor/DrawCellDelegate.h"

#include "ui/editor/DrawTableModel.h"
#include "ui/widgets/Cp932Edit.h"

namespace kelmora::ui {

QWidget* TDrawCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                         const QModelIndex& /*index*/) const
{
    auto* editor = new TCp932Edit(parent);
    editor->setFrame(false);
    return editor;
}

void TDrawCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* edit = qobject_cast<TCp932Edit*>(editor))
        edit->SetAcceptedBytes(index.data(TDrawTableModel::kBytesRole).toByteArray().toStdString());
    else
        QStyledItemDelegate::setEditorData(editor, index);
}

} // namespace kelmora::ui
