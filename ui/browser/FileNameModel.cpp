#include "ui/browser/FileNameModel.h"

#include <QFile>

namespace kelmora::ui {

TFileNameModel::TFileNameModel(const std::vector<std::string>& names, QObject* parent)
    : QAbstractListModel(parent), names_(names)
{
}

void TFileNameModel::BeginReset()
{
    beginResetModel();
}

void TFileNameModel::EndReset()
{
    endResetModel();
}

int TFileNameModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(names_.size());
}

QVariant TFileNameModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    return QFile::decodeName(QByteArray::fromStdString(names_[static_cast<size_t>(index.row())]));
}

} // namespace kelmora::ui
