#pragma once

#include "core/ByteString.h"
#include "core/LineList.h"

#include <QAbstractListModel>

namespace kelmora::ui {

// A list box's view of a line list that the core owns: rows are read from the core's entries
// and decoded for display only. The window changes the list through the core, inside one of
// the scopes below, so that the views follow.
class TLineListModel : public QAbstractListModel {
public:
    TLineListModel(const TLineList& lines, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Any change at all.
    class ResetScope {
    public:
        explicit ResetScope(TLineListModel& model);
        ~ResetScope();
        ResetScope(const ResetScope&) = delete;
        ResetScope& operator=(const ResetScope&) = delete;

    private:
        TLineListModel& model_;
    };

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

    const TLineList& lines_;
};

} // namespace kelmora::ui
