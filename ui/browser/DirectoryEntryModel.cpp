#include "ui/browser/DirectoryEntryModel.h"

#include <QFile>
#include <QLocale>

#include <algorithm>

namespace kelmora::ui {

TDirectoryEntryModel::TDirectoryEntryModel(const TDirectoryListing& listing, QObject* parent)
    : QAbstractListModel(parent), listing_(listing)
{
}

void TDirectoryEntryModel::BeginReset()
{
    beginResetModel();
}

void TDirectoryEntryModel::EndReset()
{
    endResetModel();
}

int TDirectoryEntryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(listing_.entries.size());
}

QVariant TDirectoryEntryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const TDirectoryEntry& entry = listing_.entries[static_cast<size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole: {
        const QString text = QFile::decodeName(QByteArray::fromStdString(entry.name));
        // A volume that does not keep case shows its names in lower case.
        return listing_.preservesCase || listing_.caseSensitive ? text : QLocale().toLower(text);
    }
    case KindRole:
        return static_cast<int>(entry.kind);
    case IndentRole:
        return Indent(index.row());
    default:
        return {};
    }
}

int TDirectoryEntryModel::Indent(int row) const
{
    if (listing_.entries[static_cast<size_t>(row)].kind != TDirectoryEntryKind::Subdirectory)
        return 4 * row + 2;
    const auto separators = std::count(listing_.directory.begin(), listing_.directory.end(), '/');
    return 4 * static_cast<int>(separators) + 6;
}

} // namespace kelmora::ui
