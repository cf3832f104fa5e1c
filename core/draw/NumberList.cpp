#include "core/draw/NumberList.h"

namespace kelmora {
namespace {

bool IsBlank(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 1 && byte <= 32;
}

} // namespace

void SplitNumberList(std::string_view text, TLineList& items)
{
    items.clear();
    text = UpToNul(text);
    std::size_t p = 0;
    const std::size_t end = text.size();
    const auto skipBlanks = [&] {
        while (p < end && IsBlank(text[p]))
            ++p;
    };

    skipBlanks();
    TByteString item;
    while (p < end) {
        if (text[p] == '"') {
            item.clear();
            ++p;
            bool closed = false;
            while (p < end) {
                if (text[p] == '"') {
                    if (p + 1 < end && text[p + 1] == '"') {
                        item += '"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    closed = true;
                    break;
                }
                item += text[p++];
            }
            // An unclosed quote keeps the rest of the text but its last byte.
            if (!closed && !item.empty())
                item.pop_back();
            items.push_back(item);
        } else {
            const std::size_t start = p;
            while (p < end && text[p] != ',' && !IsBlank(text[p])) {
                // A double-byte character is stepped over whole, so its trail byte never splits.
                if (IsLeadByte(static_cast<unsigned char>(text[p])) && p + 1 < end)
                    p += 2;
                else
                    ++p;
            }
            // Most items are unquoted: they go in as they stand, without a copy of their own.
            items.push_back(text.substr(start, p - start));
        }
        skipBlanks();
        if (p < end && text[p] == ',') {
            ++p;
            skipBlanks();
        }
    }
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
