#pragma once

#include <string>
#include <string_view>

namespace kelmora {

struct TSaveTarget;

// For a folder that takes no new file: the file itself is rewritten, which no system can make
// atomic. So the old bytes are first copied to the user's cache folder (kelmora/ under
// $XDG_CACHE_HOME or ~/.cache), where a killed save leaves them; a failed write puts them back,
// and when that fails too the error names the copy. The copy goes once the new bytes are on
// disk. A file whose old bytes cannot be copied (unreadable, no cache folder, no room) is not
// touched: the error says why. The file's set-id bits and capabilities are given back after
// the write, as far as the saver may.
void RewriteInPlace(const TSaveTarget& target, const std::string& shownPath, std::string_view newBytes);

// The folder where old bytes wait during an in-place rewrite.
std::string KeptCopiesFolder();

} // namespace kelmora
