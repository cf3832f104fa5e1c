// Any bytes read as UTF-8 input (standard input under --utf8, a draw with a byte order mark):
// refused with TKelmoraError, or turned into code page 932 that decodes back to the same text,
// but where a character without a code of its own took its best-fit form (¥ as 5C): then the
// decoded text gives the same bytes again.

#include "core/text/Cp932ToUtf8.h"
#include "core/base/KelmoraError.h"
#include "core/text/Utf8ToCp932.h"
#include "fuzz/FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace kelmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    TByteString cp932;
    try {
        cp932 = Utf8ToCp932(text, "fuzz");
    } catch (const TKelmoraError&) {
        return 0;
    }
    if (text.starts_with(kUtf8Bom))
        text.remove_prefix(kUtf8Bom.size());
    std::string back;
    FUZZ_CHECK(AppendCp932AsUtf8(cp932, back));
    FUZZ_CHECK(back == text || Utf8ToCp932(back, "fuzz") == cp932);
    return 0;
}
