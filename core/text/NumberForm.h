#pragma once
// Numbers compared in the form people mean rather than the bytes they typed: the classes of a
// draw that name a kind of match compare tickets and winning numbers in this form.

#include "core/base/ByteString.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace kelmora {

// 組 and 番 in code page 932.
inline constexpr std::string_view kGroupMark = "\x91\x67";
inline constexpr std::string_view kNumberMark = "\x94\xD4";

// Appends `number` in normalised form to `out`: full-width digits, Latin letters and hyphen as
// ASCII; blanks (space, tab, full-width space) dropped; a trailing 番 dropped; and where the
// number holds 組, the part before the first 組 without its leading zeros when it is all
// digits ("0" stays). Bytes that form no character are kept as they are.
void AppendNormalisedNumber(std::string_view number, TByteString& out);
TByteString NormalisedNumber(std::string_view number);

// Where the normal form of `number` starts inside it, told quickly for the common shapes:
// ASCII without blanks and at most one 組, whose count may have leading zeros (the normal form
// is then the rest). npos for anything else, even where normalising would change nothing.
inline std::size_t NormalFormOffset(std::string_view number)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHighs = kOnes * 0x80;
    const auto hasByte = [](std::uint64_t word, unsigned char byte) {
        const std::uint64_t v = word ^ (kOnes * byte);
        return ((v - kOnes) & ~v & kHighs) != 0;
    };
    std::size_t mark = std::string_view::npos;
    // A byte past ASCII may only start the one 組.
    const auto isMark = [&](std::size_t p) {
        if (mark != std::string_view::npos || p + 1 >= number.size() || number[p] != kGroupMark[0] ||
            number[p + 1] != kGroupMark[1])
            return false;
        mark = p;
        return true;
    };
    std::size_t p = 0;
    for (; number.size() - p >= 8; p += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, number.data() + p, 8);
        if (hasByte(word, ' ') || hasByte(word, '\t'))
            return std::string_view::npos;
        for (std::uint64_t highs = word & kHighs; highs != 0; highs &= highs - 1)
            if (!isMark(p + static_cast<std::size_t>(std::countr_zero(highs)) / 8))
                return std::string_view::npos;
    }
    for (; p < number.size(); ++p) {
        // Blanks and bytes past ASCII at once: one test for the digits that end most tickets.
        const auto byte = static_cast<unsigned char>(number[p]);
        if ((byte <= ' ' || byte >= 0x80) && (byte == ' ' || byte == '\t' || (byte >= 0x80 && !isMark(p))))
            return std::string_view::npos;
    }
    if (mark == std::string_view::npos || mark < 2 || number[0] != '0')
        return 0;
    const std::string_view group = number.substr(0, mark);
    if (!std::all_of(group.begin(), group.end(), IsAsciiDigit))
        return 0;
    return std::min(group.find_first_not_of('0'), group.size() - 1);
}

// Whether `number` is its own normal form, told quickly as above.
inline bool IsNormalisedNumber(std::string_view number)
{
    return NormalFormOffset(number) == 0;
}

// The length of the character at `p`: a lead byte pairs only with a byte that can follow it.
inline std::size_t CharacterLength(std::string_view text, std::size_t p)
{
    return p + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[p])) &&
            IsTrailByte(static_cast<unsigned char>(text[p + 1]))
        ? 2
        : 1;
}

// Where the first 組 of `text` starts, by character; npos when it holds none.
std::size_t FindGroupMark(std::string_view text);

// Whether the normalised `number` has a 組 whose count is a number ("12組345678", not
// "A組345678", "番組345678" or "組345678"); the length of that count, or 0.
std::size_t GroupCountLength(std::string_view number);

// Whether `offset` starts a character of `text` rather than being the second byte of one.
bool StartsCharacter(std::string_view text, std::size_t offset);

} // namespace kelmora
