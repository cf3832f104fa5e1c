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

} // namespace kelmora
