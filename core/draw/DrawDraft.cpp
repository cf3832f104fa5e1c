#include "core/draw/DrawDraft.h"

#include "core/text/NumberForm.h"
#include "core/draw/NumberList.h"

#include <algorithm>
#include <utility>

namespace kelmora {
TDrawDraft TDrawDraft::FromDefinition(const TLotteryDefinition& definition)
{
    TDrawDraft draft;
    draft.eventName_ = definition.eventName;
    for (const TPrizeClass& prizeClass : definition.classes)
        draft.rows_.push_back({prizeClass.label, prizeClass.numbersText, prizeClass.prize, prizeClass.rule, true,
                               prizeClass.pick, prizeClass.bonusText, prizeClass.type});
    // A new draw starts with one empty class to type into; as a trailing empty row it is
    // not written, and it is no change.
    if (draft.rows_.empty())
        draft.rows_.emplace_back();
    draft.TakeSnapshot();
    return draft;
}

void TDrawDraft::SetEventName(std::string_view name)
{
    eventName_ = TrimWhiteSpace(name);
}

const TByteString& TDrawDraft::FieldText(std::size_t row, Field field) const
{
    const Row& r = rows_.at(row);
    switch (field) {
    case Field::Label:
        return r.label;
    case Field::Numbers:
        return r.numbersText;
    case Field::Prize:
        break;
    }
    return r.prize;
}

void TDrawDraft::SetField(std::size_t row, Field field, std::string_view value)
{
    Row& r = rows_.at(row);
    switch (field) {
    case Field::Label:
        r.label = TrimWhiteSpace(value);
        break;
    case Field::Numbers: {
        const TByteString typed = TypedCommasAsCommas(value);
        const std::string_view text = TrimWhiteSpace(typed);
        const bool severalLines = text.find_first_of("\r\n") != std::string_view::npos;
        r.numbersText = severalLines ? JoinedNumbers(SplitNumberList(text)) : TByteString(text);
        if (!r.ruleChosen)
            r.rule = FindGroupMark(NormalisedNumber(r.numbersText)) == std::string_view::npos ? TMatchRule::Ends
                                                                                              : TMatchRule::Whole;
        break;
    }
    case Field::Prize:
        r.prize = TrimWhiteSpace(value);
        break;
    }
}

void TDrawDraft::SetRule(std::size_t row, TMatchRule rule)
{
    Row& r = rows_.at(row);
    if (r.ruleChosen && r.rule == rule)
        return;
    r.rule = rule;
    r.ruleChosen = true;
    if (rule != TMatchRule::Count && rule != TMatchRule::Lines)
        r.pick = {};
}

void TDrawDraft::SetKind(std::size_t row, TMatchKind kind)
{
    SetRule(row, kind.rule);
    rows_.at(row).pick = kind.pick;
}

void TDrawDraft::SetBonus(std::size_t row, std::string_view bonus)
{
    rows_.at(row).bonusText = TrimWhiteSpace(bonus);
}

void TDrawDraft::SetType(std::size_t row, TPurchaseType type)
{
    rows_.at(row).type = type;
}

void TDrawDraft::AppendRows(std::vector<Row> rows)
{
    while (!rows_.empty() && rows_.back().Empty())
        rows_.pop_back();
    for (Row& row : rows)
        rows_.push_back(std::move(row));
    if (rows_.empty())
        rows_.emplace_back();
}

void TDrawDraft::ReplaceRows(std::vector<Row> rows)
{
    rows_.clear();
    AppendRows(std::move(rows));
}

void TDrawDraft::InsertRow(std::size_t at)
{
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(std::min(at, rows_.size())), Row{});
}

void TDrawDraft::RemoveRow(std::size_t row)
{
    if (row >= rows_.size())
        return;
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
}

bool TDrawDraft::MoveRow(std::size_t row, int step)
{
    if (row >= rows_.size() || (step < 0 && row == 0) || (step > 0 && row + 1 >= rows_.size()))
        return false;
    const std::size_t other = step < 0 ? row - 1 : row + 1;
    std::swap(rows_[row], rows_[other]);
    return true;
}

std::size_t TDrawDraft::UsedRows() const
{
    std::size_t used = rows_.size();
    while (used > 0 && rows_[used - 1].Empty())
        --used;
    return used;
}

void TDrawDraft::TakeSnapshot()
{
    savedEventName_ = eventName_;
    savedRows_.assign(rows_.begin(), rows_.begin() + static_cast<std::ptrdiff_t>(UsedRows()));
}

bool TDrawDraft::Modified() const
{
    const std::size_t used = UsedRows();
    return eventName_ != savedEventName_ ||
        !std::equal(rows_.begin(), rows_.begin() + static_cast<std::ptrdiff_t>(used), savedRows_.begin(),
                    savedRows_.end());
}

TLotteryDefinition TDrawDraft::ToDefinition() const
{
    const std::size_t used = UsedRows();
    TLotteryDefinition definition;
    definition.eventName = eventName_;
    for (std::size_t i = 0; i < used; ++i) {
        const Row& row = rows_[i];
        TPrizeClass prizeClass;
        prizeClass.label = row.label;
        prizeClass.numbersText = row.numbersText;
        prizeClass.prize = row.prize;
        prizeClass.numbers = SplitNumberList(row.numbersText);
        prizeClass.rule = row.rule;
        prizeClass.pick = row.pick;
        prizeClass.bonusText = row.bonusText;
        prizeClass.bonus = SplitNumberList(row.bonusText);
        prizeClass.type = row.type;
        definition.classes.push_back(std::move(prizeClass));
    }
    return definition;
}

TDefinitionText TDrawDraft::Save(const std::string& path)
{
    TDefinitionText text = SaveDefinition(path, ToDefinition());
    TakeSnapshot();
    return text;
}

} // namespace kelmora
