#pragma once
// <regex>, without the warning GCC 12 at -O1 (the sanitized tests) gives of its own
// std::function inside it.

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <regex>
#pragma GCC diagnostic pop
#else
#include <regex>
#endif
