#include "core/draw/NumberList.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace kelmora {
namespace {

constexpr bool IsBlank(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 1 && byte <= 32;
}

// What a byte does to an unquoted item, looked up rather than worked out for each byte.
enum class TItemByte : unsigned char { Inside, Ends, Leads };
constexpr std::array<TItemByte, 256> kItemBytes = [] {
    std::array<TItemByte, 256> kinds{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        kinds[byte] = c == ',' || IsBlank(c)               ? TItemByte::Ends
            : IsLeadByte(static_cast<unsigned char>(byte)) ? TItemByte::Leads
                                                           : TItemByte::Inside;
    }
    return kinds;
}();

// Where, among the eight bytes of `word` (the first in its lowest byte), the first one lies that
// is not printable ASCII other than a comma: the byte that may end an item or lead a double-byte
// character, found for eight bytes at once; 8 where there is none. Only the first flag is exact,
// which is all that is read.
std::size_t FirstNotPlainAscii(std::uint64_t word)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHighs = 0x8080808080808080;
    const std::uint64_t commas = word ^ (kOnes * ',');
    const std::uint64_t flags = (word | ((word - kOnes * 0x21) & ~word) | ((commas - kOnes) & ~commas)) & kHighs;
    return flags == 0 ? 8 : static_cast<std::size_t>(std::countr_zero(flags)) / 8;
}

} // namespace

void SplitNumberList(std::string_view text, TLineList& items)
{
    text = UpToNul(text);
    // The list keeps one copy of the text, and unquoted items (most of them) are spans of it;
    // a quoted item, whose bytes differ from the text's, is added after it.
    TLineList::TBuffer buffer;
    buffer.append(text.data(), text.size());
    TLineList::TSpans spans;
    spans.reserve(text.size() / 2 + 1);
    // Past TLineList::kMaxBytes the list refuses the buffer, before a span is read.
    const auto addSpan = [&](std::size_t start, std::size_t length) {
        spans.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(length)});
    };
    std::size_t p = 0;
    const std::size_t end = text.size();
    const auto skipBlanks = [&] {
        while (p < end && IsBlank(text[p]))
            ++p;
    };

    skipBlanks();
    while (p < end) {
        if (text[p] == '"') {
            const std::size_t start = buffer.size();
            ++p;
            bool closed = false;
            while (p < end) {
                if (text[p] == '"') {
                    if (p + 1 < end && text[p + 1] == '"') {
                        buffer.push_back('"');
                        p += 2;
                        continue;
                    }
                    ++p;
                    closed = true;
                    break;
                }
                buffer.push_back(text[p++]);
            }
            // An unclosed quote keeps the rest of the text but its last byte.
            if (!closed && buffer.size() > start)
                buffer.resize(buffer.size() - 1);
            addSpan(start, buffer.size() - start);
        } else {
            const std::size_t start = p;
            // Plain ASCII runs (most numbers) eight bytes at a time; the table takes the rest.
            if constexpr (std::endian::native == std::endian::little) {
                while (p + 8 <= end) {
                    std::uint64_t word = 0;
                    std::memcpy(&word, text.data() + p, sizeof word);
                    const std::size_t plain = FirstNotPlainAscii(word);
                    p += plain;
                    if (plain < 8)
                        break;
                }
            }
            while (p < end) {
                const TItemByte kind = kItemBytes[static_cast<unsigned char>(text[p])];
                if (kind == TItemByte::Ends)
                    break;
                // A double-byte character is stepped over whole, so its trail byte never splits.
                p += kind == TItemByte::Leads && p + 1 < end ? 2 : 1;
            }
            addSpan(start, p - start);
        }
        skipBlanks();
        if (p < end && text[p] == ',') {
            ++p;
            skipBlanks();
        }
    }
    spans.shrink_to_fit();
    items = TLineList(std::move(buffer), std::move(spans));
}

TLineList SplitNumberList(std::string_view text)
{
    TLineList items;
    SplitNumberList(text, items);
    return items;
}

TByteString TypedCommasAsCommas(std::string_view text)
{
    // 、 and ， in code page 932.
    constexpr std::string_view kIdeographicComma = "\x81\x41";
    constexpr std::string_view kFullWidthComma = "\x81\x43";
    TByteString typed;
    typed.reserve(text.size());
    bool quoted = false;
    for (std::size_t p = 0; p < text.size();) {
        const std::string_view character =
            text.substr(p, IsLeadByte(static_cast<unsigned char>(text[p])) && p + 1 < text.size() ? 2 : 1);
        if (character == "\"")
            quoted = !quoted;
        if (!quoted && (character == kIdeographicComma || character == kFullWidthComma))
            typed += ',';
        else
            typed += character;
        p += character.size();
    }
    return typed;
}

} // namespace kelmora
