#pragma once

#include <string>

namespace kelmora::ui::platform {

// The message for an I/O error code as the user sees it; codes without a text of their own
// give "I/O エラー (code)".
std::string IoErrorText(int code);

// Throws kelmora::TKelmoraError with the text for errnoValue.
[[noreturn]] void ThrowIoError(int errnoValue);

} // namespace kelmora::ui::platform
