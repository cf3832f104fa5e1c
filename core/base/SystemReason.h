#pragma once

#include <string>

namespace kelmora {

// Why the system refused, in Japanese: the C library's own texts follow the locale, and under
// LANG=C they would be the only English words in a Japanese message.
std::string SystemReason(int error);

} // namespace kelmora
