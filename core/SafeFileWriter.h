#pragma once

#include <string>
#include <string_view>

namespace kelmora {

// Replaces the file at `path` with `bytes` so that a failed write leaves the old file as it
// was: the bytes go to a temporary file beside it, which is synced and renamed over it.
// A symbolic link is followed and its target replaced; a target that is not a regular file
// (a device, a pipe) is written directly; where the directory takes no temporary file the
// file is written in place, and its old bytes are put back if that write fails. A file the
// user may not write is not replaced, even where the directory would allow it.
// Throws TKelmoraError with the create error (path unusable) or the write error.
void WriteFileSafely(const std::string& path, std::string_view bytes);

} // namespace kelmora
