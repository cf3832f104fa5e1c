#include "core/draw/TicketList.h"

#include "core/files/LineFile.h"

namespace kelmora {

bool TTicketList::Add(std::string_view number)
{
    if (number.empty())
        return false;
    entries_.push_back(number);
    return true;
}

bool TTicketList::Delete(std::ptrdiff_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= entries_.size())
        return false;
    entries_.erase(static_cast<std::size_t>(index));
    return true;
}

void TTicketList::Save(const std::string& path) const
{
    WriteLineFile(path, entries_);
}

void TTicketList::Open(const std::string& path)
{
    ReadLineFile(path, entries_);
}

void TTicketList::Append(const TLineList& lines)
{
    for (const std::string_view line : lines)
        entries_.push_back(line);
}

} // namespace kelmora
