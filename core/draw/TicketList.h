#pragma once

#include "core/base/ByteString.h"
#include "core/base/LineList.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace kelmora {

// The user's ticket numbers, in the order added or read; any bytes, never trimmed.
class TTicketList {
public:
    // An empty number adds nothing; returns whether one was added.
    bool Add(std::string_view number);
    // An index outside the list (no selection) does nothing; returns whether one was removed.
    bool Delete(std::ptrdiff_t index);
    void Save(const std::string& path) const;
    // Replaces the list with the file's lines; a failed open leaves the list as it was.
    void Open(const std::string& path);
    // Replaces the list with lines read from a file, or appends them after the list's.
    void Replace(TLineList lines) { entries_ = std::move(lines); }
    void Append(const TLineList& lines);

    std::size_t Count() const { return entries_.size(); }
    std::string_view At(std::size_t index) const { return entries_[index]; }
    const TLineList& Entries() const { return entries_; }
    // The list as it is now, unchanged by later edits: one copy per change, however many checks
    // and reports share it.
    std::shared_ptr<const TLineList> Snapshot() const;

private:
    TLineList entries_;
    mutable std::shared_ptr<const TLineList> snapshot_; // empty once the list changes
};

} // namespace kelmora
