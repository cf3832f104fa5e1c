#include "core/base/HugePages.h"

#include <cstring>

#include <malloc.h>
#include <sys/mman.h>

namespace kelmora {
namespace {

void Advise(void* data, std::size_t size)
{
#if defined(MADV_HUGEPAGE)
    ::madvise(data, size, MADV_HUGEPAGE);
#else
    (void)data;
    (void)size;
#endif
}

} // namespace

bool HugePagesWanted()
{
    static const bool wanted = [] {
        const char* off = std::getenv("KELMORA_NO_HUGE_PAGES");
        return off == nullptr || *off == '\0' || std::strcmp(off, "0") == 0;
    }();
    return wanted;
}

void AdviseHugePages(void* data, std::size_t size)
{
    if (size < 2 * kHugePageBytes || !HugePagesWanted())
        return;
    // Whole huge pages only: the advice covers the aligned middle of the buffer.
    auto* const bytes = static_cast<char*>(data);
    const auto address = reinterpret_cast<std::uintptr_t>(bytes);
    const auto start = (address + kHugePageBytes - 1) & ~(kHugePageBytes - 1);
    const auto end = (address + size) & ~(kHugePageBytes - 1);
    if (end > start)
        Advise(bytes + (start - address), end - start);
}

void* AllocateHugePageable(std::size_t bytes)
{
    if (bytes < kHugePageBytes / 2 || !HugePagesWanted())
        return std::malloc(bytes == 0 ? 1 : bytes);
    if (bytes > SIZE_MAX - kHugePageBytes)
        return nullptr;
    const std::size_t whole = (bytes + kHugePageBytes - 1) & ~(kHugePageBytes - 1);
    void* data = std::aligned_alloc(kHugePageBytes, whole);
    if (data != nullptr)
        Advise(data, whole);
    return data;
}

void WarmUpHeap(std::size_t room)
{
    // Below the largest heap-served request, so that the block comes from the heap itself.
    constexpr std::size_t kMaxRoom = 15 << 20;
    room = room < kMaxRoom ? room : kMaxRoom;
    if (room < 2 * kHugePageBytes || !HugePagesWanted())
        return;
    // The heap keeps what is freed instead of giving it back, for the rest of this process.
    ::mallopt(M_MMAP_THRESHOLD, 32 << 20);
    ::mallopt(M_TRIM_THRESHOLD, 1 << 30);
    void* block = std::malloc(room);
    if (block == nullptr)
        return;
    AdviseHugePages(block, room);
    std::memset(block, 0, room);
    std::free(block);
}

} // namespace kelmora
