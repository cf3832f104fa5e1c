#pragma once
// Data text is held as raw bytes in code page 932; the core never converts it.

#include <cstddef>
#include <string>
#include <string_view>

namespace kelmora {

using TByteString = std::string;

inline constexpr std::string_view kCrLf = "\r\n";

// A NUL ends a value wherever one is met.
inline std::string_view UpToNul(std::string_view text)
{
    const auto nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

inline constexpr bool IsAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The first byte of a double-byte Shift-JIS character.
inline constexpr bool IsLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The second byte of a double-byte Shift-JIS character.
inline constexpr bool IsTrailByte(unsigned char byte)
{
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// The index of a lead and trail byte pair in a decoding table: lead << 8 | trail.
inline constexpr std::size_t PairCode(unsigned char lead, unsigned char trail)
{
    return std::size_t{lead} << 8 | trail;
}

// Calls visit(code, bytes, size) for every code of code page 932 beyond ASCII: each byte from
// 80 to FF that does not lead a pair (code: the byte), then each lead and trail byte pair (code:
// lead << 8 | trail). Decoding tables are built from it.
template <class Visit>
void ForEachNonAsciiCp932Code(Visit&& visit)
{
    for (unsigned byte = 0x80; byte < 0x100; ++byte) {
        if (IsLeadByte(static_cast<unsigned char>(byte)))
            continue;
        const char b = static_cast<char>(byte);
        visit(byte, &b, std::size_t{1});
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (!IsTrailByte(static_cast<unsigned char>(trail)))
                continue;
            const char b[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            visit(lead << 8 | trail, b, std::size_t{2});
        }
    }
}

// White space as an initialization file's reader drops it around names and values: space, tab,
// LF, VT, FF and CR (9 to 13), told by comparing each byte rather than searching a set for it.
inline std::string_view TrimWhiteSpace(std::string_view text)
{
    const auto isWhiteSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isWhiteSpace(text[first]))
        ++first;
    while (last > first && isWhiteSpace(text[last - 1]))
        --last;
    return first == last ? std::string_view() : text.substr(first, last - first);
}

inline bool EndsWith(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

} // namespace kelmora
