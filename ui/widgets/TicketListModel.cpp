#include "ui/widgets/TicketListModel.h"

#include "core/text/NumberForm.h"
#include "ui/text/Cp932.h"

#include <QColor>

#include <string>
#include <unordered_set>

namespace kelmora::ui {

TTicketListModel::TTicketListModel(const TLineList& entries, QObject* parent) : TLineListModel(entries, parent)
{
    const auto changed = [this] { stale_ = true; };
    connect(this, &QAbstractItemModel::modelReset, this, changed);
    connect(this, &QAbstractItemModel::rowsInserted, this, changed);
    connect(this, &QAbstractItemModel::rowsRemoved, this, changed);
}

bool TTicketListModel::IsRepeat(int row) const
{
    if (stale_) {
        repeats_.assign(static_cast<std::size_t>(rowCount()), false);
        std::unordered_set<std::string> seen;
        for (int r = 0; r < rowCount(); ++r)
            repeats_[static_cast<std::size_t>(r)] =
                !Entry(r).empty() && !seen.insert(NormalisedNumber(Entry(r))).second;
        stale_ = false;
    }
    return row >= 0 && static_cast<std::size_t>(row) < repeats_.size() && repeats_[static_cast<std::size_t>(row)];
}

QVariant TTicketListModel::EntryData(int row, int role) const
{
    if (role == Qt::ForegroundRole && IsRepeat(row))
        return QColor(Qt::red);
    if (role == Qt::ToolTipRole && IsRepeat(row))
        return QStringLiteral("%1\n同じ番号が上にもあります").arg(DecodeCp932(Entry(row)));
    return TLineListModel::EntryData(row, role);
}

} // namespace kelmora::ui
