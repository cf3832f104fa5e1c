#include "core/HugePageAllocator.h"

#include <cstdint>

#include <sys/mman.h>

namespace kelmora {

void* AllocateHugePageable(std::size_t bytes)
{
    constexpr std::size_t kHugePage = std::size_t{2} << 20;
    if (bytes < kHugePage / 2)
        return std::malloc(bytes == 0 ? 1 : bytes);
    if (bytes > SIZE_MAX - kHugePage)
        return nullptr;
    const std::size_t whole = (bytes + kHugePage - 1) & ~(kHugePage - 1);
    void* data = std::aligned_alloc(kHugePage, whole);
#if defined(MADV_HUGEPAGE)
    if (data != nullptr)
        ::madvise(data, whole, MADV_HUGEPAGE);
#endif
    return data;
}

} // namespace kelmora
