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
        const auto add = [box](const TMatchKind& kind) {
            const QString name = QString::fromStdString(MatchKindName(kind));
            if (box->findData(name) < 0)
                box->addItem(TDrawTableModel::KindText(kind), name);
        };
        // The rule of a class read without one is offered only where it is, so that it is kept
        // until the user picks another, and never given to a new class; so is a kind with
        // numbers of its own.
        const auto current = MatchKindNamed(index.data(Qt::EditRole).toString().toStdString());
        if (current && (current->rule == TMatchRule::Bytes || IsPickRule(current->rule)))
            add(*current);
        for (const TMatchRule rule : {TMatchRule::Ends, TMatchRule::Whole, TMatchRule::OtherGroup})
            add({rule, {}});
        const QModelIndex numbers = index.siblingAtColumn(TDrawTableModel::kNumbersColumn);
        const bool hasBonus = index.data(TDrawTableModel::kHasBonusRole).toBool();
        for (const TMatchKind& kind :
             TDrawTableModel::PickKindsFor(numbers.data(TDrawTableModel::kBytesRole).toByteArray().toStdString(), hasBonus))
            add(kind);
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
