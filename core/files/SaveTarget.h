#pragma once

#include "core/base/FileDescriptor.h"

#include <string>

namespace kelmora {

// Where a save lands once every symbolic link on its path was followed by the rules of a save:
// the folder that holds the file, opened, and the file's name in it. Everything after this
// works relative to `folder`, so no link swapped in later changes where the bytes go.
struct TSaveTarget {
    TFileDescriptor folder; // O_PATH
    std::string folderPath; // without links, for the file's attributes
    std::string name;
    // A link of /proc that names an open file (/dev/stdout, /dev/fd/N) leads to no path; the
    // file is written as it is: through a copy of the process's own descriptor N (its offset
    // and append mode shared, as writing to standard output would), or opened anew through the
    // kernel for another process's.
    TFileDescriptor opened;
    bool ownDescriptor = false;

    std::string Path() const;
};

// Walks `shownPath` one name at a time without letting the kernel follow any link. A link is
// followed only outside sticky, world-writable folders or when it belongs to the folder's owner
// or to the saver (the system's protected_symlinks rule, held whatever the system's setting),
// and at most 40 times. Throws the create error with the reason.
TSaveTarget ResolveSaveTarget(const std::string& shownPath);

} // namespace kelmora
