#pragma once

#include "ui/browser/DriveEntry.h"

#include <QAbstractListModel>

#include <vector>

namespace kelmora::ui {

// The drive chooser's entries, read from the vector its control owns.
class TDriveListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { KindRole = Qt::UserRole + 1 };

    explicit TDriveListModel(const std::vector<TDriveEntry>& entries, QObject* parent = nullptr);

    // Bracket every change of the entries.
    void BeginReset();
    void EndReset();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const std::vector<TDriveEntry>& entries_;
};

} // namespace kelmora::ui
