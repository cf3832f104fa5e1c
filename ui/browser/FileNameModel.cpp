#include "FileNameModel.h"

#include <QFile>

namespace kelmora::ui {

FileNameModel::FileNameModel(const std::vector<std::string>& names, QObject* parent)
    : QAbstractListModel(parent), names_(names)
{
}

void FileNameModel::BeginReset()
{
    beginResetModel();
}

void FileNameModel::EndReset()
{
    endResetModel();
}

int FileNameModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(names_.size());
}

QVariant FileNameModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    return QFile::decodeName(QByteArray::fromStdString(names_[static_cast<size_t>(index.row())]));
}

} // namespace kelmora::ui
