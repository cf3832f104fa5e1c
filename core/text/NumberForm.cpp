#include "core/text/NumberForm.h"

#include <algorithm>

namespace kelmora {
namespace {

constexpr char kDropped = ' ';

// The ASCII character a full-width one stands for, kDropped for a full-width blank, or 0.
char AsciiOf(unsigned char lead, unsigned char trail)
{
    if (lead == 0x82) {
        if (trail >= 0x4F && trail <= 0x58)
            return static_cast<char>('0' + (trail - 0x4F));
        if (trail >= 0x60 && trail <= 0x79)
            return static_cast<char>('A' + (trail - 0x60));
        if (trail >= 0x81 && trail <= 0x9A)
            return static_cast<char>('a' + (trail - 0x81));
    } else if (lead == 0x81) {
        if (trail == 0x40)
            return kDropped;
        if (trail == 0x7C)
            return '-';
    }
    return 0;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

void AppendNormalisedNumber(std::string_view number, TByteString& out)
{
    const std::size_t start = out.size();
    std::size_t lastCharacter = TByteString::npos;
    std::size_t groupMark = TByteString::npos;
    for (std::size_t p = 0; p < number.size();) {
        const std::size_t length = CharacterLength(number, p);
        const char first = number[p];
        if (length == 1) {
            p += 1;
            if (first == ' ' || first == '\t')
                continue;
            lastCharacter = out.size();
            out += first;
            continue;
        }
        const char second = number[p + 1];
        p += 2;
        const char ascii = AsciiOf(static_cast<unsigned char>(first), static_cast<unsigned char>(second));
        if (ascii == kDropped)
            continue;
        lastCharacter = out.size();
        if (ascii != 0) {
            out += ascii;
            continue;
        }
        if (groupMark == TByteString::npos && std::string_view(number.data() + p - 2, 2) == kGroupMark)
            groupMark = out.size();
        out += first;
        out += second;
    }
    if (lastCharacter != TByteString::npos && out.size() - lastCharacter == kNumberMark.size() &&
        std::string_view(out).substr(lastCharacter) == kNumberMark)
        out.resize(lastCharacter);
    if (groupMark == TByteString::npos || groupMark == start)
        return;
    const std::string_view group = std::string_view(out).substr(start, groupMark - start);
    if (!std::all_of(group.begin(), group.end(), IsDigit))
        return;
    const std::size_t zeros = std::min(group.find_first_not_of('0'), group.size() - 1);
    out.erase(start, zeros);
}

TByteString NormalisedNumber(std::string_view number)
{
    TByteString out;
    AppendNormalisedNumber(number, out);
    return out;
}

std::size_t FindGroupMark(std::string_view text)
{
    for (std::size_t p = 0; p < text.size();) {
        const std::size_t length = CharacterLength(text, p);
        if (length == 2 && text.substr(p, 2) == kGroupMark)
            return p;
        p += length;
    }
    return std::string_view::npos;
}

bool StartsCharacter(std::string_view text, std::size_t offset)
{
    std::size_t p = 0;
    while (p < offset)
        p += CharacterLength(text, p);
    return p == offset;
}

} // namespace kelmora
