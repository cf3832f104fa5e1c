#pragma once

#include "ui/browser/DriveEntry.h"
#include "ui/widgets/EntryListModel.h"

#include <vector>

namespace kelmora::ui {

// The drive chooser's entries, read from the vector its control owns.
class TDriveListModel : public TEntryListModel<std::vector<TDriveEntry>> {
public:
    enum Role { KindRole = Qt::UserRole + 1 };

    using TEntryListModel::TEntryListModel;

protected:
    QVariant EntryData(int row, int role) const override;
};

} // namespace kelmora::ui
