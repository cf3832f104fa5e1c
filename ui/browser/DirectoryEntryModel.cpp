#include "ui/browser/DirectoryEntryModel.h"

#include <QFile>
#include <QLocale>

#include <algorithm>

namespace kelmora::ui {

TDirectoryEntryModel::TDirectoryEntryModel(const TDirectoryListing& listing, QObject* parent)
    : TEntryListModel(listing.entries, parent),
      listing_(listing)
{}

QVariant TDirectoryEntryModel::EntryData(int row, int role) const
{
    const TDirectoryEntry& entry = Entry(row);
    switch (role) {
    case Qt::DisplayRole: {
        const QString text = QFile::decodeName(QByteArray::fromStdString(entry.name));
        // A volume that does not keep case shows its names in lower case.
        return listing_.preservesCase || listing_.caseSensitive ? text : QLocale().toLower(text);
    }
    case KindRole:
        return static_cast<int>(entry.kind);
    case IndentRole:
        return Indent(row);
    default:
        return {};
    }
}

int TDirectoryEntryModel::Indent(int row) const
{
    if (Entry(row).kind != TDirectoryEntryKind::Subdirectory)
        return 4 * row + 2;
    const auto separators = std::count(listing_.directory.begin(), listing_.directory.end(), '/');
    return 4 * static_cast<int>(separators) + 6;
}

} // namespace kelmora::ui
