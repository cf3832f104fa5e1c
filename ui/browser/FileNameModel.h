#pragma once

#include "ui/widgets/EntryListModel.h"

#include <string>
#include <vector>

namespace kelmora::ui {

// The file list's names, read from the vector its control owns.
class TFileNameModel : public TEntryListModel<std::vector<std::string>> {
public:
    using TEntryListModel::TEntryListModel;

protected:
    QVariant EntryData(int row, int role) const override;
};

} // namespace kelmora::ui
