#pragma once

#include "core/base/FileDescriptor.h"

#include <cstddef>
#include <string>

namespace kelmora {

struct TSaveTarget;
class TKeptCopiesFolder;

// For a folder that takes no new file: the file itself is rewritten, which no system can make
// atomic. So the old bytes are first copied to the user's cache folder (TKeptCopiesFolder),
// where a killed save leaves them; a failed write puts them back,
// and when that fails too the error names the copy. The copy goes once the new bytes are on
// disk. A file whose old bytes cannot be copied (unreadable, no cache folder, no room) is not
// touched: the error says why. The file's set-id bits and capabilities are given back after
// the write, as far as the saver may. Two rewrites of one file take turns (an advisory lock on
// it); one that waits 30 s in vain is refused.
// The file to rewrite, opened for reading and writing; throws the refusal of the rewrite when
// it cannot be (its old bytes could not be kept).
TFileDescriptor OpenForRewrite(const TSaveTarget& target, const std::string& shownPath);
// `file` from OpenForRewrite gets the first `newSize` bytes of the file `newBytes`.
void RewriteInPlace(TFileDescriptor file, const TSaveTarget& target, const TKeptCopiesFolder& cache,
                    const std::string& shownPath, int newBytes, std::size_t newSize);

} // namespace kelmora
