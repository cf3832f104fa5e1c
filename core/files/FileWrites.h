#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace kelmora {

// Writes all of `bytes` to `fd`, at its position or, with `at` 0 or more, at that offset, in
// pieces so that a kill lands between them. errno tells why when it returns false.
bool WriteAll(int fd, std::string_view bytes, off_t at = -1);

// Whether a file may grow to `size` bytes: a write past the process's file size limit would
// end it with SIGXFSZ half-way through.
bool WithinFileSizeLimit(std::size_t size);

// Six letters or digits for a file name no other save is using.
std::string RandomSuffix();

} // namespace kelmora
