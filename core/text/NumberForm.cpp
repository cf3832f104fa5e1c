#include "core/text/NumberForm.h"

#include "core/base/HugePages.h"
#include "core/text/FullWidth.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelmora {
namespace {

// The runs a long number is mostly made of, taken many bytes at a time so that a huge ticket
// costs little more than its copy: the number of bytes of `number` from `p` that are ASCII
// without blanks (kept as they are), in steps of eight; 0 for none.
std::size_t PlainAsciiRun(std::string_view number, std::size_t p)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
    const auto hasByte = [](std::uint64_t word, unsigned char byte) {
        const std::uint64_t v = word ^ (kOnes * byte);
        return ((v - kOnes) & ~v & kHighs) != 0;
    };
    const std::size_t start = p;
    for (; number.size() - p >= 8; p += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, number.data() + p, 8);
        if ((word & kHighs) != 0 || hasByte(word, ' ') || hasByte(word, '\t'))
            break;
    }
    return p - start;
}

#if defined(__SSE2__)
// Full-width digits from `p` as ASCII into `out`, sixteen bytes (eight digits) at a time while
// they last, at most kWideRun of them; the number of bytes of `number` taken.
constexpr std::size_t kWideRun = 256;
std::size_t WideDigitRun(std::string_view number, std::size_t p, char (&out)[kWideRun])
{
    std::size_t made = 0;
    for (; number.size() - p >= 16 && made < kWideRun; p += 16, made += 8) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(number.data() + p));
        const __m128i leads = _mm_and_si128(chunk, _mm_set1_epi16(0xFF));
        const __m128i trails = _mm_srli_epi16(chunk, 8);
        const __m128i digits = _mm_and_si128(_mm_cmpeq_epi16(leads, _mm_set1_epi16(0x82)),
                                             _mm_and_si128(_mm_cmpgt_epi16(trails, _mm_set1_epi16(0x4E)),
                                                           _mm_cmplt_epi16(trails, _mm_set1_epi16(0x59))));
        if (_mm_movemask_epi8(digits) != 0xFFFF)
            break;
        const __m128i ascii = _mm_packus_epi16(_mm_sub_epi16(trails, _mm_set1_epi16(0x4F - '0')), _mm_setzero_si128());
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + made), ascii);
    }
    return 2 * made;
}
#endif

} // namespace

void AppendNormalisedNumber(std::string_view number, TByteString& out)
{
    const std::size_t start = out.size();
    // The normal form is never longer: a long number then grows the output once.
    if (number.size() > 64) {
        out.reserve(start + number.size());
        AdviseHugePages(out.data() + start, number.size());
    }
    std::size_t lastCharacter = TByteString::npos;
    std::size_t groupMark = TByteString::npos;
    for (std::size_t p = 0; p < number.size();) {
        if (number.size() - p >= 16) {
            if (const std::size_t run = PlainAsciiRun(number, p); run > 0) {
                out.append(number.substr(p, run));
                p += run;
                lastCharacter = out.size() - 1;
                continue;
            }
#if defined(__SSE2__)
            char digits[kWideRun];
            if (const std::size_t run = WideDigitRun(number, p, digits); run > 0) {
                out.append(digits, run / 2);
                p += run;
                lastCharacter = out.size() - 1;
                continue;
            }
#endif
        }
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
        const char ascii = FoldFullWidth(static_cast<unsigned char>(first), static_cast<unsigned char>(second));
        if (ascii == ' ')
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
    if (!std::all_of(group.begin(), group.end(), IsAsciiDigit))
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

std::size_t GroupCountLength(std::string_view number)
{
    // Digits are single bytes: the first byte that is no digit is where the 組 must start.
    std::size_t digits = 0;
    while (digits < number.size() && IsAsciiDigit(number[digits]))
        ++digits;
    return digits > 0 && number.substr(digits, kGroupMark.size()) == kGroupMark ? digits : 0;
}

bool StartsCharacter(std::string_view text, std::size_t offset)
{
    std::size_t p = 0;
    while (p < offset)
        p += CharacterLength(text, p);
    return p == offset;
}

} // namespace kelmora
