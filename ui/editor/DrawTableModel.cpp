#include "ui/editor/DrawTableModel.h"

#include "core/draw/DefinitionWriter.h"
#include "core/base/KelmoraError.h"
#include "core/draw/NumberList.h"
#include "core/draw/ProfileFile.h"
#include "core/match/PickTicket.h"
#include "ui/text/Cp932.h"
#include "ui/text/TypedNumber.h"

#include <initializer_list>
#include <utility>

namespace kelmora::ui {

namespace {

// The whole value (a cell cuts it short), its size, and the bytes that show as U+FFFD: they are
// kept, but cannot be typed.
QString CellTip(std::string_view text)
{
    const QString shown = DecodeCp932(text);
    QString tip = shown.isEmpty() ? QString() : shown + u'\n';
    tip += QStringLiteral("（%1 バイト）").arg(text.size());
    QStringList unreadable;
    for (qsizetype i = shown.indexOf(QChar(0xFFFD)); i >= 0; i = shown.indexOf(QChar(0xFFFD), i + 1)) {
        const auto at = Cp932UnitOffset(text, static_cast<std::size_t>(i));
        unreadable << QString::number(static_cast<unsigned char>(text[at]), 16).toUpper().rightJustified(2, u'0');
    }
    if (!unreadable.isEmpty())
        tip += QStringLiteral("\n読み取れないバイト（「\uFFFD」と表示、そのまま保存）: %1").arg(unreadable.join(u' '));
    return tip;
}

} // namespace

TDrawTableModel::TDrawTableModel(TDrawDraft& draft, QObject* parent) : QAbstractTableModel(parent), draft_(draft)
{}

int TDrawTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(draft_.RowCount());
}

int TDrawTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 4;
}

TDrawDraft::Field TDrawTableModel::FieldOf(int column)
{
    switch (column) {
    case kLabelColumn:
        return TDrawDraft::Field::Label;
    case kNumbersColumn:
        return TDrawDraft::Field::Numbers;
    default:
        return TDrawDraft::Field::Prize;
    }
}

QString TDrawTableModel::RuleText(TMatchRule rule)
{
    const std::string_view caption = MatchRuleCaption(rule);
    return QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
}

QString TDrawTableModel::KindText(const TMatchKind& kind)
{
    if (!IsPickRule(kind.rule))
        return RuleText(kind.rule);
    return RuleText(kind.rule) + u' ' + QString::fromStdString(MatchKindName(kind));
}

std::vector<TMatchKind> TDrawTableModel::PickKindsFor(std::string_view numbers, bool hasBonus)
{
    std::vector<std::uint32_t> picked;
    std::vector<TMatchKind> kinds;
    if (!ReadPickNumbers(numbers, picked))
        return kinds;
    const TLineList items = SplitNumberList(numbers);
    if (picked.size() == 1 && (items.size() == 1) && (items[0].size() == 3 || items[0].size() == 4))
        kinds.push_back({TMatchRule::Box, {}});
    if (picked.size() < 5 || picked.size() > 8)
        return kinds;
    for (auto k = static_cast<std::uint8_t>(picked.size()); k >= 3; --k) {
        kinds.push_back({TMatchRule::Count, {k, 0, false, false}});
        if (hasBonus)
            kinds.push_back({TMatchRule::Count, {k, 1, true, false}});
    }
    if (picked.size() == 8)
        for (const std::uint8_t k : std::initializer_list<std::uint8_t>{8, 6, 5, 4, 3, 2, 1})
            kinds.push_back({TMatchRule::Lines, {k, 0, false, false}});
    return kinds;
}

QVariant TDrawTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (index.column() == kRuleColumn) {
        const TDrawDraft::Row& row = draft_.At(static_cast<std::size_t>(index.row()));
        const TMatchKind kind{row.rule, row.pick};
        if (role == Qt::EditRole)
            return QString::fromStdString(MatchKindName(kind));
        if (role == kHasBonusRole)
            return !row.bonusText.empty();
        if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
            return {};
        // The bonus numbers and the purchase type come with the kind: templates set them.
        QString text = KindText(kind);
        if (!row.bonusText.empty())
            text += QStringLiteral("　ボーナス ") + DecodeCp932(row.bonusText);
        if (row.type != TPurchaseType::None)
            text += QStringLiteral("　買い方 ") + DecodeCp932(PurchaseTypeName(row.type));
        return text;
    }
    const TByteString& text = draft_.FieldText(static_cast<std::size_t>(index.row()), FieldOf(index.column()));
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return DecodeCp932(text);
    case Qt::ToolTipRole:
        return CellTip(text);
    case kBytesRole:
        return QByteArray::fromStdString(text);
    default:
        return {};
    }
}

QVariant TDrawTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    switch (section) {
    case kLabelColumn:
        return QStringLiteral("等級");
    case kNumbersColumn:
        return QStringLiteral("当選番号");
    case kPrizeColumn:
        return QStringLiteral("賞");
    default:
        return QStringLiteral("判定");
    }
}

Qt::ItemFlags TDrawTableModel::flags(const QModelIndex& index) const
{
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool TDrawTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const auto row = static_cast<std::size_t>(index.row());
    if (index.column() == kRuleColumn) {
        const auto kind = MatchKindNamed(value.toString().toStdString());
        if (!kind)
            return false;
        draft_.SetKind(row, *kind);
        emit dataChanged(index, index);
        return true;
    }
    // An untouched cell keeps its bytes, even those that decoding cannot give back, and its
    // numbers as the file wrote them.
    const QString shown = data(index, Qt::EditRole).toString();
    if (value.toString() == shown)
        return false;
    const QString text = index.column() == kNumbersColumn ? NumbersAsEdited(shown, value.toString()) : value.toString();
    if (text == shown)
        return false;
    const TDrawDraft::Field field = FieldOf(index.column());
    draft_.SetField(row, field, EncodeCp932Edit(draft_.FieldText(row, field), text));
    // New numbers may choose a new row's kind of match.
    emit dataChanged(index, this->index(index.row(), kRuleColumn));
    return true;
}

void TDrawTableModel::AppendRows(std::vector<TDrawDraft::Row> rows)
{
    beginResetModel();
    draft_.AppendRows(std::move(rows));
    endResetModel();
}

void TDrawTableModel::ReplaceRows(std::vector<TDrawDraft::Row> rows)
{
    beginResetModel();
    draft_.ReplaceRows(std::move(rows));
    endResetModel();
}

void TDrawTableModel::InsertRow(int row)
{
    beginInsertRows(QModelIndex(), row, row);
    draft_.InsertRow(static_cast<std::size_t>(row));
    endInsertRows();
}

void TDrawTableModel::RemoveRow(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    draft_.RemoveRow(static_cast<std::size_t>(row));
    endRemoveRows();
}

bool TDrawTableModel::MoveRow(int row, int step)
{
    const int other = row + step;
    if (row < 0 || other < 0 || other >= rowCount() || (step != 1 && step != -1))
        return false;
    // Qt names the destination as the row before which the moved one lands.
    beginMoveRows(QModelIndex(), row, row, QModelIndex(), step > 0 ? other + 1 : other);
    draft_.MoveRow(static_cast<std::size_t>(row), step);
    endMoveRows();
    return true;
}

QString TDrawTableModel::SizeNote(const QModelIndex& index) const
{
    if (!index.isValid() || index.column() == kRuleColumn)
        return {};
    const std::size_t row = static_cast<std::size_t>(index.row());
    const TByteString& text = draft_.FieldText(row, FieldOf(index.column()));
    const std::size_t limit = TProfileFile::kMaxValueBytes;
    if (text.size() < kNearLimitBytes)
        return {};
    if (text.size() <= limit)
        return QStringLiteral("%1 / %2 バイト").arg(text.size()).arg(limit);
    if (index.column() != kNumbersColumn)
        return QStringLiteral("%1 / %2 バイト: 長すぎるため保存できません").arg(text.size()).arg(limit);
    std::size_t parts = 0;
    try {
        parts = JoinNumbers(SplitNumberList(text), row + 1).size();
    } catch (const TKelmoraError& error) {
        return QString::fromUtf8(error.what());
    }
    return QStringLiteral("%1 バイト: 保存するときは同じ等級と賞の %2 つの等級に分けて書き込みます")
        .arg(text.size())
        .arg(parts);
}

} // namespace kelmora::ui
