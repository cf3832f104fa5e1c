#include "ui/LineListModel.h"

#include "ui/Cp932.h"

namespace kelmora::ui {

TLineListModel::TLineListModel(const TLineList& lines, QObject* parent)
    : QAbstractListModel(parent), lines_(lines)
{
}

int TLineListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant TLineListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    return DecodeCp932(lines_[static_cast<std::size_t>(index.row())]);
}

TLineListModel::ResetScope::ResetScope(TLineListModel& model) : model_(model)
{
    model_.beginResetModel();
}

TLineListModel::ResetScope::~ResetScope()
{
    model_.endResetModel();
}

} // namespace kelmora::ui
