#pragma once

#include "ui/browser/DirectoryListing.h"

#include <QAbstractListModel>

namespace kelmora::ui {

// The directory list's entries, read from the listing its control owns.
class TDirectoryEntryModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { KindRole = Qt::UserRole + 1, IndentRole };

    explicit TDirectoryEntryModel(const TDirectoryListing& listing, QObject* parent = nullptr);

    // Bracket every change of the listing.
    void BeginReset();
    void EndReset();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    int Indent(int row) const;

    const TDirectoryListing& listing_;
};

} // namespace kelmora::ui
