// The comma-text rule on any text: items never hold more than the text did, quoting the items
// and joining them gives the same items back, and plain items join with commas or blanks.

#include "core/draw/NumberList.h"
#include "fuzz/FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace kelmora;

namespace {

bool IsBlank(unsigned char byte)
{
    return byte >= 1 && byte <= 32;
}

// An item that reads back as itself without quotes: no separators, no leading quote and no
// byte that could start a double-byte character.
bool IsPlain(std::string_view item)
{
    if (item.empty() || item.front() == '"')
        return false;
    for (const char c : item) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0 || IsBlank(byte) || c == ',' || byte >= 0x80)
            return false;
    }
    return true;
}

std::string Quoted(std::string_view item)
{
    std::string quoted = "\"";
    for (const char c : item) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + '"';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string_view visible = text.substr(0, text.find('\0'));

    TLineList items{"left from an earlier split"};
    SplitNumberList(text, items);
    FUZZ_CHECK(items == SplitNumberList(text));
    FUZZ_CHECK(items == SplitNumberList(visible));

    std::size_t bytes = 0;
    bool allPlain = true;
    for (const std::string_view item : items) {
        FUZZ_CHECK(item.find('\0') == std::string_view::npos);
        bytes += item.size();
        allPlain = allPlain && IsPlain(item);
    }
    // Every byte of an item comes from its own byte of the text.
    FUZZ_CHECK(bytes <= visible.size());
    FUZZ_CHECK(items.size() <= visible.size());
    bool onlyBlanks = true;
    for (const char c : visible)
        onlyBlanks = onlyBlanks && IsBlank(static_cast<unsigned char>(c));
    FUZZ_CHECK(items.empty() == onlyBlanks);

    // Without quotes the items are pieces of the text, in order.
    if (visible.find('"') == std::string_view::npos) {
        std::size_t from = 0;
        for (const std::string_view item : items) {
            const auto at = visible.find(item, from);
            FUZZ_CHECK(at != std::string_view::npos);
            from = at + item.size();
        }
    }

    std::string quoted;
    std::string commas;
    std::string blanks;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            quoted += (size & 1) ? ", " : ",";
            commas += ',';
            blanks += (size & 2) ? "\t " : " ";
        }
        quoted += Quoted(items[i]);
        commas += items[i];
        blanks += items[i];
    }
    FUZZ_CHECK(SplitNumberList(quoted) == items);
    if (allPlain) {
        FUZZ_CHECK(SplitNumberList(commas) == items);
        FUZZ_CHECK(SplitNumberList(blanks) == items);
    }
    return 0;
}
