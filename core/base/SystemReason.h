#pragma once

#include <string>
#include <string_view>

namespace kelmora {

// Why the system refused, in Japanese: the C library's own texts follow the locale, and under
// LANG=C they would be the only English words in a Japanese message.
// An error without a text of its own is named by its number: kErrorNumber filled with it, which
// a catalogue translates as a template (ErrorNumberOf finds the number again).
std::string SystemReason(int error);

namespace messages {
inline constexpr std::string_view kErrorNumber = "エラー番号 %s";
}

// The number in a reason made from kErrorNumber; empty for any other text.
std::string ErrorNumberOf(std::string_view reason);

} // namespace kelmora
