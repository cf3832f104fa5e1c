#pragma once

#include <string>
#include <vector>

namespace kelmora::ui {

enum class TDirectoryEntryKind {
    Path,         // the root or an ancestor of the browsed directory
    Own,          // the browsed directory itself
    Subdirectory, // one level down
};

struct TDirectoryEntry {
    std::string name; // native bytes; "/" for the root
    TDirectoryEntryKind kind = TDirectoryEntryKind::Subdirectory;

    bool operator==(const TDirectoryEntry&) const = default;
};

// What the directory list shows: its directory, the entries made from it and the case flags
// of its volume.
struct TDirectoryListing {
    std::string directory;
    std::vector<TDirectoryEntry> entries;
    bool preservesCase = true;
    bool caseSensitive = true;
};

} // namespace kelmora::ui
