// Any file bytes split into entries without CR, LF or NUL, the same as a byte-by-byte reading
// of the rule, and the entries written back read as the same entries.

#include "core/files/LineFile.h"
#include "fuzz/FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

using namespace kelmora;

namespace {

// The reading rule one byte at a time, against the splitter's sixteen-byte scan.
std::vector<std::string_view> SplitOneByteAtATime(std::string_view data)
{
    data = data.substr(0, data.find('\0'));
    std::vector<std::string_view> entries;
    std::size_t p = 0;
    while (p < data.size()) {
        std::size_t q = p;
        while (q < data.size() && data[q] != '\r' && data[q] != '\n')
            ++q;
        entries.push_back(data.substr(p, q - p));
        if (q < data.size() && data[q] == '\r')
            ++q;
        if (q < data.size() && data[q] == '\n')
            ++q;
        p = q;
    }
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const TLineList entries = SplitLines(TByteString(input));

    const auto expected = SplitOneByteAtATime(input);
    FUZZ_CHECK(entries.size() == expected.size());
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        FUZZ_CHECK(entries[i] == expected[i]);
        FUZZ_CHECK(entries[i].find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos);
        bytes += entries[i].size();
    }

    // Written back: each entry and CR LF, which reads as the same entries and is its own
    // written form.
    const TByteString joined = JoinLines(entries);
    FUZZ_CHECK(joined.size() == bytes + 2 * entries.size());
    const TLineList reread = SplitLines(joined);
    FUZZ_CHECK(reread == entries);
    FUZZ_CHECK(JoinLines(reread) == joined);

    // Without a NUL the reader that leaves NULs to its caller splits the same way.
    if (input.find('\0') == std::string_view::npos)
        FUZZ_CHECK(SplitRawLines(TByteString(input)) == entries);

    // Removing an entry keeps the others, in order; adding one puts it last.
    if (!entries.empty()) {
        TLineList edited = entries;
        const std::size_t removed = size % entries.size();
        edited.erase(removed);
        FUZZ_CHECK(edited.size() == entries.size() - 1);
        for (std::size_t i = 0; i < edited.size(); ++i)
            FUZZ_CHECK(edited[i] == entries[i < removed ? i : i + 1]);
        edited.push_back(input.substr(0, size % 7));
        FUZZ_CHECK(edited.back() == input.substr(0, size % 7));
    }
    return 0;
}
