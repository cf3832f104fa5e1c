#pragma once

#include <cstddef>

namespace kelmora {

// Asks the kernel to back the whole 2 MiB pages inside [data, data + size) with huge pages,
// before they are first touched: a buffer of many megabytes then costs a few page faults
// instead of thousands. Only a hint; small buffers are left alone.
void AdviseHugePages(const void* data, std::size_t size);

} // namespace kelmora
