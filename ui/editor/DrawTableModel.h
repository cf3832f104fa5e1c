#pragma once

#include "core/draw/DrawDraft.h"

#include <QAbstractTableModel>

#include <vector>

namespace kelmora::ui {

// The draw editor's table: one row per prize class of the draft, columns 等級, 当選番号, 賞 and
// 判定 (the kind of match; its edit role is the kind's Rule value, MatchKindName). Cells are decoded for
// display only; of a cell the user changed, only what changed is encoded, so bytes that do not
// survive decoding stay as they were everywhere else.
class TDrawTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kLabelColumn = 0;
    static constexpr int kNumbersColumn = 1;
    static constexpr int kPrizeColumn = 2;
    static constexpr int kRuleColumn = 3;
    // A cell's bytes as a QByteArray.
    static constexpr int kBytesRole = Qt::UserRole;
    // The 判定 cell: whether the class has bonus numbers.
    static constexpr int kHasBonusRole = Qt::UserRole + 1;
    // From this many bytes on a cell tells its size.
    static constexpr std::size_t kNearLimitBytes = 200;

    TDrawTableModel(TDrawDraft& draft, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Rows made whole elsewhere (the jumbo template), after the last row with content.
    void AppendRows(std::vector<TDrawDraft::Row> rows);
    // Every row replaced (results pasted from an announcement).
    void ReplaceRows(std::vector<TDrawDraft::Row> rows);
    void InsertRow(int row);
    void RemoveRow(int row);
    bool MoveRow(int row, int step);

    // What the user should know about a cell's size, empty when it is far from the limit.
    QString SizeNote(const QModelIndex& index) const;

    static TDrawDraft::Field FieldOf(int column);
    // What the 判定 column says for a rule, and for a whole kind (with its numbers).
    static QString RuleText(TMatchRule rule);
    static QString KindText(const TMatchKind& kind);
    // The kinds 判定 offers a row whose numbers are `numbers`, besides the row's own and the
    // suffix kinds: count and lines for a set of picked numbers, box for a ナンバーズ number.
    static std::vector<TMatchKind> PickKindsFor(std::string_view numbers, bool hasBonus);

private:
    TDrawDraft& draft_;
};

} // namespace kelmora::ui
