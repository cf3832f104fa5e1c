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

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
// printable ASCII and at most one 組, whose count may have leading zeros (the normal form
// is then the rest). npos for anything else, even where normalising would change nothing.
// `readable`: how many bytes from its start may be read (a list's bytes after it), if more.
inline std::size_t NormalFormOffset(std::string_view number, std::size_t readable = 0)
{
    constexpr std::size_t kNpos = std::string_view::npos;
    std::size_t mark = kNpos;
    // A byte past ASCII may only start the one 組.
    const auto isMark = [&](std::size_t p) {
        if (mark != kNpos || p + 1 >= number.size() || number[p] != kGroupMark[0] || number[p + 1] != kGroupMark[1])
            return false;
        mark = p;
        return true;
    };
    const auto usualBytes = [&] {
        for (std::size_t p = 0; p < number.size(); ++p) {
            const auto byte = static_cast<unsigned char>(number[p]);
            if ((byte <= ' ' || byte >= 0x80) && !(byte >= 0x80 && isMark(p)))
                return false;
        }
        return true;
    };
    bool seen = false;
#if defined(__SSE2__)
    if (number.size() <= 16 && readable >= 16) {
        // Most tickets: one load. Blanks, control bytes and bytes past ASCII are all below '!'
        // as signed bytes.
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(number.data()));
        const unsigned bits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmplt_epi8(bytes, _mm_set1_epi8('!')))) &
            ((1U << number.size()) - 1);
        if ((bits & (bits - 1)) != 0 || (bits != 0 && !isMark(static_cast<std::size_t>(std::countr_zero(bits)))))
            return kNpos;
        seen = true;
    }
#endif
    if constexpr (std::endian::native == std::endian::little) {
        // Eight bytes at a time, the last eight overlapping: a top bit for each byte that is a
        // blank, a control byte or past ASCII. Control bytes would need no normalising, but
        // are too rare to tell apart from blanks here; a borrow marks a byte only after one.
        constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
        constexpr std::uint64_t kHighs = kOnes * 0x80;
        const auto unusual = [&](std::size_t at, std::uint64_t keep) {
            std::uint64_t word = 0;
            std::memcpy(&word, number.data() + at, 8);
            for (std::uint64_t bits = ((word - kOnes * 0x21) | word) & kHighs & keep; bits != 0; bits &= bits - 1)
                if (!isMark(at + static_cast<std::size_t>(std::countr_zero(bits)) / 8))
                    return true;
            return false;
        };
        if (!seen && number.size() >= 8) {
            std::size_t p = 0;
            for (; number.size() - p > 8; p += 8)
                if (unusual(p, ~std::uint64_t{0}))
                    return kNpos;
            // The bytes before p were seen already.
            const std::size_t last = number.size() - 8;
            if (unusual(last, ~std::uint64_t{0} << (8 * (p - last))))
                return kNpos;
            seen = true;
        }
    }
    if (!seen && !usualBytes())
        return kNpos;
    if (mark == kNpos || mark < 2 || number[0] != '0')
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
