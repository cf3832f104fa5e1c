#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace kelmora {

// An allocator for arrays of a megabyte or more that are filled as soon as they are made:
// they get whole 2 MiB pages, advised to be huge, so that the kernel faults them in a few
// steps instead of one step per 4 KiB page, which costs more than filling them.
void* AllocateHugePageable(std::size_t bytes);

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
