#include "ui/browser/DriveListModel.h"

#include <QFile>

namespace kelmora::ui {

QVariant TDriveListModel::EntryData(int row, int role) const
{
    const TDriveEntry& entry = Entry(row);
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
