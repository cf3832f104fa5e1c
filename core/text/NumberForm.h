#pragma once
// Numbers compared in the form people mean rather than the bytes they typed: the classes of a
// draw that name a kind of match compare tickets and winning numbers in this form.

#include "core/base/ByteString.h"

#include <cstddef>
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

// Whether `number` is its own normal form, told quickly for the common shapes: ASCII without
// blanks, and at most one 組 whose count has no leading zero. False for anything else, even
// where normalising would change nothing.
inline bool IsNormalisedNumber(std::string_view number)
{
    std::size_t mark = std::string_view::npos;
    for (std::size_t p = 0; p < number.size(); ++p) {
        const auto byte = static_cast<unsigned char>(number[p]);
        if (byte == ' ' || byte == '\t')
            return false;
        if (byte < 0x80)
            continue;
        if (mark != std::string_view::npos || number.substr(p, 2) != kGroupMark)
            return false;
        mark = p++;
    }
    if (mark == std::string_view::npos || mark < 2 || number[0] != '0')
        return true;
    const std::string_view group = number.substr(0, mark);
    return group.find_first_not_of("0123456789") != std::string_view::npos;
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

// Whether `offset` starts a character of `text` rather than being the second byte of one.
bool StartsCharacter(std::string_view text, std::size_t offset);

} // namespace kelmora
