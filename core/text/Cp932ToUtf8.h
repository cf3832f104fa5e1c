#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelmora {

// The one decoder of code page 932: the window shows what kelmora-check's UTF-8 forms write.

// The character that starts at `bytes[i]`: a lead byte with a trail byte is one character,
// any other byte one; a byte or pair that stands for no character is U+FFFD. Returns the index
// after it.
std::size_t DecodeCp932At(std::string_view bytes, std::size_t i, char16_t& character);

// Appends `bytes`, code page 932, to `out` as UTF-8. ASCII stays as it is; a lead byte with a
// trail byte is one character; a byte or pair that stands for no character becomes U+FFFD,
// as the window shows it. Returns false when that happened. Line ends are not changed.
bool AppendCp932AsUtf8(std::string_view bytes, std::string& out);
// The same for text that goes on in the next call: `carry` holds a lead byte left at the end
// of the last piece, to be read with the first byte of this one; a lead byte at the end of
// this piece is left there in turn. An empty `bytes` ends the text: the carried byte alone.
bool AppendCp932AsUtf8(std::string_view bytes, std::string& out, std::string& carry);

} // namespace kelmora
