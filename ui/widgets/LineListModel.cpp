#include "ui/widgets/LineListModel.h"

#include "ui/text/Cp932.h"

namespace kelmora::ui {

QVariant TLineListModel::EntryData(int row, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    return DecodeCp932(Entry(row));
}

} // namespace kelmora::ui
