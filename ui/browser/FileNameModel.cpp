#include "ui/browser/FileNameModel.h"

#include <QFile>

namespace kelmora::ui {

QVariant TFileNameModel::EntryData(int row, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    return QFile::decodeName(QByteArray::fromStdString(Entry(row)));
}

} // namespace kelmora::ui
