#pragma once

#include <string>
#include <string_view>

namespace kelmora {

// Replaces the file at `path` with `bytes` so that a failed or killed write leaves the old file
// as it was: the bytes go to a temporary file beside it (unnamed until complete where the file
// system allows), which is synced and renamed over it, keeping the old file's owner where the
// saver may, its permissions, extended attributes and ACLs; set-id bits only for the same owner.
// A symbolic link is followed and its target replaced, except a link that another user planted
// in a sticky, world-writable directory, or a chain longer than the system follows. A target
// that is not a regular file (a device, a pipe) is written directly; where the directory takes
// no temporary file the file is rewritten in place after its new size was reserved, and its old
// bytes are put back if that write fails. A file the user may not write is not replaced, even
// where the directory would allow it. Hard links to the old file keep the old contents.
// Throws TKelmoraError with the create error (path unusable) or the write error.
void WriteFileSafely(const std::string& path, std::string_view bytes);

} // namespace kelmora
