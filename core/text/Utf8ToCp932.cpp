#include "core/text/Utf8ToCp932.h"

#include "core/text/Cp932ToUtf8.h"
#include "core/base/KelmoraError.h"

#include <array>
#include <cstdint>
#include <memory>

namespace kelmora {
namespace {

// Unicode to code page 932: the inverse of the decoder, then the best-fit forms. Where several codes decode to one
// character, the one Windows writes wins: the lowest, except that IBM's extension rows
// (FA-FC) go before NEC's copy of them (ED, EE).
// Characters code page 932 lacks that Windows still writes (WideCharToMultiByte without
// WC_NO_BEST_FIT_CHARS): its best-fit forms, so that a UTF-8 file reads as the same text saved
// by a Windows program as Shift-JIS would. The signs of Latin-1 and its letters with marks,
// which become their ASCII letter, and the JIS forms of characters Windows decodes otherwise
// (the wave dash, em dash, double vertical line and minus sign). Taken where the decoder's
// own codes give a character none.
struct TBestFit {
    char32_t character;
    std::uint16_t code;
};
constexpr TBestFit kBestFit[] = {
    {0x00A0, 0x20},   {0x00A1, 0x21},   {0x00A2, 0x8191}, {0x00A3, 0x8192}, {0x00A5, 0x5C},   {0x00A6, 0x7C},
    {0x00A9, 0x63},   {0x00AA, 0x61},   {0x00AB, 0x81E1}, {0x00AC, 0x81CA}, {0x00AD, 0x2D},   {0x00AE, 0x52},
    {0x00AF, 0x8150}, {0x00B2, 0x32},   {0x00B3, 0x33},   {0x00B5, 0x83CA}, {0x00B7, 0x8145}, {0x00B8, 0x2C},
    {0x00B9, 0x31},   {0x00BA, 0x6F},   {0x00BB, 0x81E2}, {0x00C0, 'A'},    {0x00C1, 'A'},    {0x00C2, 'A'},
    {0x00C3, 'A'},    {0x00C4, 'A'},    {0x00C5, 'A'},    {0x00C7, 'C'},    {0x00C8, 'E'},    {0x00C9, 'E'},
    {0x00CA, 'E'},    {0x00CB, 'E'},    {0x00CC, 'I'},    {0x00CD, 'I'},    {0x00CE, 'I'},    {0x00CF, 'I'},
    {0x00D1, 'N'},    {0x00D2, 'O'},    {0x00D3, 'O'},    {0x00D4, 'O'},    {0x00D5, 'O'},    {0x00D6, 'O'},
    {0x00D8, 'O'},    {0x00D9, 'U'},    {0x00DA, 'U'},    {0x00DB, 'U'},    {0x00DC, 'U'},    {0x00DD, 'Y'},
    {0x00E0, 'a'},    {0x00E1, 'a'},    {0x00E2, 'a'},    {0x00E3, 'a'},    {0x00E4, 'a'},    {0x00E5, 'a'},
    {0x00E7, 'c'},    {0x00E8, 'e'},    {0x00E9, 'e'},    {0x00EA, 'e'},    {0x00EB, 'e'},    {0x00EC, 'i'},
    {0x00ED, 'i'},    {0x00EE, 'i'},    {0x00EF, 'i'},    {0x00F1, 'n'},    {0x00F2, 'o'},    {0x00F3, 'o'},
    {0x00F4, 'o'},    {0x00F5, 'o'},    {0x00F6, 'o'},    {0x00F8, 'o'},    {0x00F9, 'u'},    {0x00FA, 'u'},
    {0x00FB, 'u'},    {0x00FC, 'u'},    {0x00FD, 'y'},    {0x00FF, 'y'},    {0x2014, 0x815C}, {0x2016, 0x8161},
    {0x203E, 0x7E},   {0x2212, 0x817C}, {0x301C, 0x8160},
};

struct TEncodeTable {
    static constexpr std::uint16_t kNone = 0;
    std::array<std::uint16_t, 0x10000> code{};

    TEncodeTable()
    {
        for (unsigned c = 0; c < 0x80; ++c)
            code[c] = static_cast<std::uint16_t>(c);
        std::string utf8;
        ForEachNonAsciiCp932Code([&](unsigned index, const char* bytes, std::size_t size) {
            utf8.clear();
            if (!AppendCp932AsUtf8(std::string_view(bytes, size), utf8))
                return;
            const char32_t c = DecodeOne(utf8);
            if (c >= code.size())
                return;
            std::uint16_t& slot = code[c];
            if (slot == kNone || Rank(index) < Rank(slot))
                slot = static_cast<std::uint16_t>(index);
        });
        for (const TBestFit& fit : kBestFit)
            if (code[fit.character] == kNone)
                code[fit.character] = fit.code;
    }

    static unsigned Rank(unsigned index)
    {
        const unsigned lead = index >> 8;
        return (lead == 0xED || lead == 0xEE ? 0x10000 : 0) + index;
    }

    static char32_t DecodeOne(std::string_view utf8)
    {
        const auto b = [&](std::size_t i) { return static_cast<char32_t>(static_cast<unsigned char>(utf8[i])); };
        if (utf8.size() == 2)
            return (b(0) & 0x1F) << 6 | (b(1) & 0x3F);
        if (utf8.size() == 3)
            return (b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F);
        return 0x110000;
    }
};

const TEncodeTable& EncodeTable()
{
    static const auto table = std::make_unique<TEncodeTable>();
    return *table;
}

// The length of the UTF-8 sequence at `at`, or 0 when it is not one (overlong, a surrogate,
// past U+10FFFF, cut short); `c` gets its character.
std::size_t DecodeSequence(std::string_view text, std::size_t at, char32_t& c)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(at);
    std::size_t length;
    char32_t min;
    if (first < 0x80) {
        c = first;
        return 1;
    } else if (first >= 0xC2 && first <= 0xDF) {
        length = 2, min = 0x80, c = first & 0x1F;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3, min = 0x800, c = first & 0x0F;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4, min = 0x10000, c = first & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        c = c << 6 | (byte(at + i) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return length;
}

// The 1-based line of `at`, with CR LF, CR and LF each ending a line, as line files count them.
std::string LineOf(std::string_view text, std::size_t at)
{
    std::size_t line = 1;
    for (std::size_t i = 0; i < at; ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
            ++line;
    return std::to_string(line);
}

} // namespace

TByteString Utf8ToCp932(std::string_view utf8, const std::string& name)
{
    if (utf8.starts_with(kUtf8Bom))
        utf8.remove_prefix(kUtf8Bom.size());
    TByteString out;
    out.reserve(utf8.size());
    const TEncodeTable* table = nullptr;
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c;
        const std::size_t length = DecodeSequence(utf8, i, c);
        if (length == 0)
            throw TKelmoraError(messages::kNotUtf8, {name, LineOf(utf8, i)});
        if (c < 0x80) {
            out += static_cast<char>(c);
            i += length;
            continue;
        }
        if (table == nullptr)
            table = &EncodeTable();
        const std::uint16_t code = c < table->code.size() ? table->code[c] : TEncodeTable::kNone;
        if (code == TEncodeTable::kNone)
            throw TKelmoraError(messages::kNoShiftJisForm,
                                {name, LineOf(utf8, i), std::string(utf8.substr(i, length))});
        if (code > 0xFF)
            out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
        i += length;
    }
    return out;
}

} // namespace kelmora
