#include "ui/browser/DriveListModel.h"

#include <QFile>

namespace kelmora::ui {

TDriveListModel::TDriveListModel(const std::vector<TDriveEntry>& entries, QObject* parent)
    : QAbstractListModel(parent), entries_(entries)
{
}

void TDriveListModel::BeginReset()
{
    beginResetModel();
}

void TDriveListModel::EndReset()
{
    endResetModel();
}

int TDriveListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant TDriveListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const TDriveEntry& entry = entries_[static_cast<size_t>(index.row())];
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
