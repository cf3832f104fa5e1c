#pragma once

#include <QAbstractListModel>

#include <string>
#include <vector>

namespace kelmora::ui {

// The file list's names, read from the vector its control owns.
class TFileNameModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit TFileNameModel(const std::vector<std::string>& names, QObject* parent = nullptr);

    // Bracket every change of the names.
    void BeginReset();
    void EndReset();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const std::vector<std::string>& names_;
};

} // namespace kelmora::ui
