#include "DriveListModel.h"

#include <QFile>

namespace kelmora::ui {

DriveListModel::DriveListModel(const std::vector<DriveEntry>& entries, QObject* parent)
    : QAbstractListModel(parent), entries_(entries)
{
}

void DriveListModel::BeginReset()
{
    beginResetModel();
}

void DriveListModel::EndReset()
{
    endResetModel();
}

int DriveListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant DriveListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const DriveEntry& entry = entries_[static_cast<size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return QFile::decodeName(QByteArray::fromStdString(entry.text));
    case KindRole:
        return static_cast<int>(entry.volume.kind);
    default:
        return {};
    }
}

} // namespace kelmora::ui
