#pragma once

#include "core/base/ByteString.h"

#include <string>
#include <string_view>

namespace kelmora {

// The byte order mark that text editors put before UTF-8.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

namespace messages {
inline constexpr std::string_view kNotUtf8 = "%s の %s 行目は UTF-8 の文字になっていません";
inline constexpr std::string_view kNoShiftJisForm = "%s の %s 行目の文字「%s」は Shift-JIS で表せません";
} // namespace messages

// UTF-8 text (a leading byte order mark dropped) as code page 932, each character by the code
// Windows gives it (its best-fit form where code page 932 has none: ¥ as 5C, ‾ as 7E), so that text typed in a UTF-8 editor checks like the same text typed in
// Kelmora. Line ends stay as they are. Throws TKelmoraError naming `name` (as the user knows the
// input) and the line for bytes that are not UTF-8 and for a character code page 932 lacks.
TByteString Utf8ToCp932(std::string_view utf8, const std::string& name);

} // namespace kelmora
