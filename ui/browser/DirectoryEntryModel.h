#pragma once

#include "ui/browser/DirectoryListing.h"
#include "ui/widgets/EntryListModel.h"

#include <vector>

namespace kelmora::ui {

// The directory list's entries, read from the listing its control owns.
class TDirectoryEntryModel : public TEntryListModel<std::vector<TDirectoryEntry>> {
public:
    enum Role { KindRole = Qt::UserRole + 1, IndentRole };

    TDirectoryEntryModel(const TDirectoryListing& listing, QObject* parent);

protected:
    QVariant EntryData(int row, int role) const override;

private:
    int Indent(int row) const;

    const TDirectoryListing& listing_;
};

} // namespace kelmora::ui
