#include "ui/editor/DrawCellDelegate.h"

#include "core/match/MatchRule.h"
#include "ui/editor/DrawTableModel.h"
#include "ui/widgets/Cp932Edit.h"

#include <QComboBox>

namespace kelmora::ui {

QWidget* TDrawCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                         const QModelIndex& index) const
{
    if (index.column() == TDrawTableModel::kRuleColumn) {
        auto* box = new QComboBox(parent);
        // The rule of a class read without one is offered only where it is, so that it is kept
        // until the user picks another, and never given to a new class.
        if (index.data(Qt::EditRole).toInt() == static_cast<int>(TMatchRule::Bytes))
            box->addItem(TDrawTableModel::RuleText(TMatchRule::Bytes), static_cast<int>(TMatchRule::Bytes));
        for (const TMatchRule rule : {TMatchRule::Ends, TMatchRule::Whole, TMatchRule::OtherGroup})
            box->addItem(TDrawTableModel::RuleText(rule), static_cast<int>(rule));
        return box;
    }
    auto* editor = new TCp932Edit(parent);
    editor->setFrame(false);
    return editor;
}

void TDrawCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* edit = qobject_cast<TCp932Edit*>(editor))
        edit->SetAcceptedBytes(index.data(TDrawTableModel::kBytesRole).toByteArray().toStdString());
    else if (auto* box = qobject_cast<QComboBox*>(editor))
        box->setCurrentIndex(box->findData(index.data(Qt::EditRole)));
    else
        QStyledItemDelegate::setEditorData(editor, index);
}

void TDrawCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (auto* box = qobject_cast<QComboBox*>(editor))
        model->setData(index, box->currentData());
    else
        QStyledItemDelegate::setModelData(editor, model, index);
}

} // namespace kelmora::ui
