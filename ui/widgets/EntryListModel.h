#pragma once

#include <QAbstractListModel>

#include <cstddef>

namespace kelmora::ui {

// A list view's model over entries that its control (or the core) owns: rows are read from
// `Entries` (anything with size() and operator[]) and never copied. Every change of the
// entries happens inside a ResetScope, so that the views follow.
template <typename Entries>
class TEntryListModel : public QAbstractListModel {
public:
    TEntryListModel(const Entries& entries, QObject* parent) : QAbstractListModel(parent), entries_(&entries) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(entries_->size());
    }

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override
    {
        if (!index.isValid() || index.row() >= rowCount())
            return {};
        return EntryData(index.row(), role);
    }

    // Any change at all, from construction to destruction of the scope.
    class ResetScope {
    public:
        explicit ResetScope(TEntryListModel& model) : model_(model) { model_.beginResetModel(); }
        ~ResetScope() { model_.endResetModel(); }
        ResetScope(const ResetScope&) = delete;
        ResetScope& operator=(const ResetScope&) = delete;

    private:
        TEntryListModel& model_;
    };

    // The model reads `entries` from now on; called inside a ResetScope, when the core replaces
    // the list itself rather than its contents.
    void SetEntries(const Entries& entries) { entries_ = &entries; }

protected:
    // What `role` shows of entry `row`, a row that exists.
    virtual QVariant EntryData(int row, int role) const = 0;

    decltype(auto) Entry(int row) const { return (*entries_)[static_cast<std::size_t>(row)]; }

private:
    const Entries* entries_;
};

} // namespace kelmora::ui
