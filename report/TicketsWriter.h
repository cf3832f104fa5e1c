#pragma once

#include "report/CsvWriter.h"

namespace kelmora::report {

// The check ticket by ticket, as CSV by the rules of TCsvWriter: a header row, then one row per
// ticket in ticket order: the ticket, the classes it won joined by ・, and its amount in yen as
// plain digits (empty for a ticket that won nothing; the prizes as written where one is no
// amount).
class TTicketsWriter : public TCsvWriter {
public:
    TTicketsWriter(TOutputStream& out, bool guarded, bool byteOrderMark);
    // The rows come at the end, each ticket's wins together; the wins one by one make none.
    void Win(const TCheckWin& /*win*/) override {}
    void End() override;
};

} // namespace kelmora::report
