#pragma once

#include "core/base/LineList.h"
#include "ui/widgets/EntryListModel.h"

namespace kelmora::ui {

// A list box's view of a line list that the core owns: rows are read from the core's entries
// and decoded for display only. The window changes the list through the core, inside a
// ResetScope or one of the row changes below, so that the views follow.
class TLineListModel : public TEntryListModel<TLineList> {
public:
    using TEntryListModel::TEntryListModel;

    // One entry appended, or entry `row` removed, by `change`.
    template <typename Change>
    void AppendRow(Change&& change)
    {
        const int row = rowCount();
        beginInsertRows(QModelIndex(), row, row);
        Guarded(change, &TLineListModel::endInsertRows);
    }
    template <typename Change>
    void RemoveRow(int row, Change&& change)
    {
        beginRemoveRows(QModelIndex(), row, row);
        Guarded(change, &TLineListModel::endRemoveRows);
    }

protected:
    QVariant EntryData(int row, int role) const override;

private:
    // A change that fails half-way still ends its notification, then the views start afresh.
    template <typename Change>
    void Guarded(Change& change, void (TLineListModel::*end)())
    {
        try {
            change();
        } catch (...) {
            (this->*end)();
            ResetScope reset(*this);
            throw;
        }
        (this->*end)();
    }
};

} // namespace kelmora::ui
