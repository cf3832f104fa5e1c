#pragma once
// Data text is held as raw bytes in code page 932; the core never converts it.

#include <string>
#include <string_view>


namespace kelmora {

using ByteString = std::string;

inline constexpr std::string_view kCrLf = "\r\n";

// A NUL ends a value wherever one is met.
inline std::string_view UpToNul(std::string_view text)
{
    const auto nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

// The first byte of a double-byte Shift-JIS character.
inline constexpr bool IsLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

inline bool EndsWith(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

} // namespace kelmora
