#pragma once

#include "core/check/CheckResult.h"
#include "core/check/TicketWins.h"

#include <QAbstractTableModel>

#include <memory>
#include <vector>

namespace kelmora::ui {

// The last check ticket by ticket, for the page クジごと: each ticket in ticket order, the
// classes it won and its yen (or its prizes as written, or はずれ). What each ticket won comes
// from WinsByTicket, as in every other per-ticket form.
class TTicketWinsModel : public QAbstractTableModel {
public:
    static constexpr int kTicketColumn = 0;
    static constexpr int kClassesColumn = 1;
    static constexpr int kAmountColumn = 2;
    // What a column sorts by: the amount by yen (はずれ below every win), the classes by the
    // draw's order, the ticket as shown.
    static constexpr int kSortRole = Qt::UserRole;

    explicit TTicketWinsModel(QObject* parent);

    // Shows `result`; nothing shows none.
    void SetResult(std::shared_ptr<const TCheckResult> result);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QString AmountShown(const TTicketWins& wins) const;

    std::shared_ptr<const TCheckResult> result_;
    std::vector<TTicketWins> tickets_;
};

} // namespace kelmora::ui
