#include "core/draw/TicketList.h"

#include "core/files/LineFile.h"

namespace kelmora {

bool TTicketList::Add(std::string_view number)
{
    if (number.empty())
        return false;
    entries_.push_back(number);
    snapshot_.reset();
    return true;
}

bool TTicketList::Delete(std::ptrdiff_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= entries_.size())
        return false;
    entries_.erase(static_cast<std::size_t>(index));
    snapshot_.reset();
    return true;
}

void TTicketList::Save(const std::string& path) const
{
    WriteLineFile(path, entries_);
}

void TTicketList::Open(const std::string& path)
{
    ReadLineFile(path, entries_);
    snapshot_.reset();
}

std::shared_ptr<const TLineList> TTicketList::Snapshot() const
{
    if (!snapshot_)
        snapshot_ = std::make_shared<const TLineList>(entries_);
    return snapshot_;
}

void TTicketList::Append(const TLineList& lines)
{
    for (const std::string_view line : lines)
        entries_.push_back(line);
}

} // namespace kelmora
