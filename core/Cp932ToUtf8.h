#pragma once

#include <string>
#include <string_view>

namespace kelmora {

// Appends `bytes`, code page 932, to `out` as UTF-8. ASCII stays as it is; a lead byte with a
// trail byte is one character; a byte or pair that stands for no character becomes U+FFFD,
// as the window shows it. Returns false when that happened. Line ends are not changed.
bool AppendCp932AsUtf8(std::string_view bytes, std::string& out);

} // namespace kelmora
