#pragma once
// Huge pages for the few large buffers a check fills at once: a buffer of many megabytes then
// costs a few page faults instead of thousands. Everything here is a hint the kernel may
// ignore; KELMORA_NO_HUGE_PAGES=1 in the environment turns all of it off, so that a benchmark
// can show what it is worth.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace kelmora {

inline constexpr std::size_t kHugePageBytes = std::size_t{2} << 20;

// False when the environment asks for no huge pages; read once.
bool HugePagesWanted();

// Asks for huge pages behind the whole huge pages inside [data, data + size), before they are
// first touched. Small buffers are left alone.
void AdviseHugePages(void* data, std::size_t size);

// A block of `bytes` (one at least) to be released with std::free: from the heap when small,
// otherwise in whole huge pages, aligned to one and advised. Null when there is no memory.
void* AllocateHugePageable(std::size_t bytes);

// A large run reads its draw into many small heap blocks in fresh memory; faulting `room`
// bytes of heap in by huge pages first, and keeping them for the rest of the process, is
// several times cheaper than the kernel faulting them in by the 4 KiB page.
void WarmUpHeap(std::size_t room);

// For arrays of a megabyte or more that are filled as soon as they are made.
template <class T>
class THugePageAllocator {
public:
    using value_type = T;

    THugePageAllocator() = default;
    template <class U>
    THugePageAllocator(const THugePageAllocator<U>&) noexcept
    {}

    T* allocate(std::size_t n)
    {
        if (n > SIZE_MAX / sizeof(T))
            throw std::bad_array_new_length();
        void* data = AllocateHugePageable(n * sizeof(T));
        if (data == nullptr)
            throw std::bad_alloc();
        return static_cast<T*>(data);
    }
    void deallocate(T* data, std::size_t) noexcept { std::free(data); }

    template <class U>
    friend bool operator==(const THugePageAllocator&, const THugePageAllocator<U>&) noexcept
    {
        return true;
    }
};

} // namespace kelmora
