#pragma once

#include "core/base/ByteString.h"
#include "core/draw/DefinitionWriter.h"
#include "core/draw/LotteryDefinition.h"
#include "core/match/MatchRule.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kelmora {

// A draw being edited: the name and one row per prize class, every field held as the file's
// bytes, so that what the user does not touch is written back exactly as it was read.
class TDrawDraft {
public:
    enum class Field { Label, Numbers, Prize };
    struct Row {
        TByteString label;
        TByteString numbersText;
        TByteString prize;
        // A new row follows its numbers (whole with 組, ends without) until a rule is chosen;
        // a row read from a file keeps the file's, none included.
        TMatchRule rule = TMatchRule::Ends;
        bool ruleChosen = false;
        TPickRule pick;           // the kind's numbers: count K bonus B, lines K
        TByteString bonusText;    // the bonus numbers (ロト), as typed or read
        TPurchaseType type = TPurchaseType::None; // the purchase type the class pays (ナンバーズ)
        bool Empty() const { return label.empty() && numbersText.empty() && prize.empty(); }
        bool operator==(const Row&) const = default;
    };

    TDrawDraft() = default;
    // A definition without classes gives one empty row.
    static TDrawDraft FromDefinition(const TLotteryDefinition& definition);

    const TByteString& EventName() const { return eventName_; }
    // Blanks around a value are dropped, as the reader would drop them.
    void SetEventName(std::string_view name);

    std::size_t RowCount() const { return rows_.size(); }
    const Row& At(std::size_t row) const { return rows_[row]; }
    const TByteString& FieldText(std::size_t row, Field field) const;
    // Numbers typed over several lines (a pasted column) are kept as one comma-separated list.
    void SetField(std::size_t row, Field field, std::string_view value);

    // The user's choice of the row's kind of match.
    void SetRule(std::size_t row, TMatchRule rule);
    // The whole kind, with the numbers of count and lines.
    void SetKind(std::size_t row, TMatchKind kind);
    void SetBonus(std::size_t row, std::string_view bonus);
    void SetType(std::size_t row, TPurchaseType type);
    // Rows that the caller made whole (a template): appended after the last row with content.
    void AppendRows(std::vector<Row> rows);
    // Every row given way to `rows` (results read from an announcement).
    void ReplaceRows(std::vector<Row> rows);

    void InsertRow(std::size_t at);
    void RemoveRow(std::size_t row);
    // Moves a row one place up (-1) or down (+1); returns whether it moved.
    bool MoveRow(std::size_t row, int step);

    // The rows as classes, empty trailing rows left out.
    TLotteryDefinition ToDefinition() const;

    TDefinitionText Save(const std::string& path);
    // Whether the draw differs from what was last opened or saved: edits that were undone
    // are no change, and neither are empty rows at the end.
    bool Modified() const;

private:
    // Rows up to the last one that is not empty.
    std::size_t UsedRows() const;
    void TakeSnapshot();

    TByteString eventName_;
    std::vector<Row> rows_;
    TByteString savedEventName_;
    std::vector<Row> savedRows_;
};

} // namespace kelmora
