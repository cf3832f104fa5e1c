#include "core/HugePages.h"

#include <cstdint>

#include <sys/mman.h>

namespace kelmora {

void AdviseHugePages(const void* data, std::size_t size)
{
#if defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
    if (size < 2 * kHugePage)
        return;
    // Whole huge pages only: the advice covers the aligned middle of the buffer.
    // madvise changes no byte; it takes a plain pointer all the same.
    auto* const bytes = static_cast<char*>(const_cast<void*>(data));
    const auto address = reinterpret_cast<std::uintptr_t>(bytes);
    const auto start = (address + kHugePage - 1) & ~(kHugePage - 1);
    const auto end = (address + size) & ~(kHugePage - 1);
    if (end > start)
        ::madvise(bytes + (start - address), end - start, MADV_HUGEPAGE);
#else
    (void)data;
    (void)size;
#endif
}

} // namespace kelmora
