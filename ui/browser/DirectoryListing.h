#pragma once

#include <string>
#include <vector>

namespace kelmora::ui {

enum class DirectoryEntryKind {
    Path,          // the root or an ancestor of the browsed directory
    Own,           // the browsed directory itself
    Subdirectory,  // one level down
};

struct DirectoryEntry {
    std::string name;   // native bytes; "/" for the root
    DirectoryEntryKind kind = DirectoryEntryKind::Subdirectory;

    bool operator==(const DirectoryEntry&) const = default;
};

// What the directory list shows: its directory, the entries made from it and the case flags
// of its volume.
struct DirectoryListing {
    std::string directory;
    std::vector<DirectoryEntry> entries;
    bool preservesCase = true;
    bool caseSensitive = true;
};

} // namespace kelmora::ui
