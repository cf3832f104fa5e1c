#pragma once

#include "ui/widgets/LineListModel.h"

#include <vector>

namespace kelmora::ui {

// The ticket list's view: a number that stands earlier in the list too (in the form the check
// reads it) is marked, in colour and in its tip, since a ticket is bought once.
class TTicketListModel : public TLineListModel {
public:
    TTicketListModel(const TLineList& entries, QObject* parent);

    // Whether row `row` repeats a number above it.
    bool IsRepeat(int row) const;

protected:
    QVariant EntryData(int row, int role) const override;

private:
    // Worked out again on the first look after a change.
    mutable std::vector<bool> repeats_;
    mutable bool stale_ = true;
};

} // namespace kelmora::ui
