#include "ui/TicketWinsModel.h"

#include "core/text/PrizeAmount.h"
#include "ui/text/Cp932.h"

#include <utility>

namespace kelmora::ui {

TTicketWinsModel::TTicketWinsModel(QObject* parent) : QAbstractTableModel(parent)
{}

void TTicketWinsModel::SetResult(std::shared_ptr<const TCheckResult> result)
{
    beginResetModel();
    tickets_ = result ? WinsByTicket(*result) : std::vector<TTicketWins>();
    result_ = std::move(result);
    endResetModel();
}

int TTicketWinsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(tickets_.size());
}

int TTicketWinsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 3;
}

QString TTicketWinsModel::AmountShown(const TTicketWins& wins) const
{
    if (!wins.Won())
        return QStringLiteral("はずれ");
    if (wins.inKind || wins.overflow)
        return DecodeCp932(AmountText(result_->Draw(), wins));
    return DecodeCp932(FormatYen(wins.yen));
}

QVariant TTicketWinsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !result_)
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const TTicketWins& wins = tickets_[row];
    if (index.column() == kAmountColumn && role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role == kSortRole && index.column() == kAmountColumn)
        return wins.Won() ? static_cast<qlonglong>(wins.yen) : qlonglong{-1};
    if (role == kSortRole && index.column() == kClassesColumn)
        return wins.Won() ? static_cast<qlonglong>(wins.classes.front()) : qlonglong{1} << 40;
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != kSortRole)
        return {};
    switch (index.column()) {
    case kTicketColumn:
        return DecodeCp932(result_->Tickets()[row]);
    case kClassesColumn:
        return DecodeCp932(ClassesText(result_->Draw(), wins));
    default:
        return AmountShown(wins);
    }
}

QVariant TTicketWinsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    switch (section) {
    case kTicketColumn:
        return QStringLiteral("クジの番号");
    case kClassesColumn:
        return QStringLiteral("当選した等級");
    default:
        return QStringLiteral("金額");
    }
}

} // namespace kelmora::ui
