#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <type_traits>
#include <utility>

namespace kelmora {

// A growable array of plain values, as std::vector but in two ways: resize leaves the new
// elements unwritten, for a writer that fills them at once (a file's bytes read into it, the
// spans of a split), so no byte is written twice; and it grows by realloc, which moves a large
// block by remapping its pages rather than copying them. Memory is touched only as it is written.
template <class T>
class TRawArray {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_default_constructible_v<T>);

public:
    TRawArray() = default;
    TRawArray(const TRawArray& other) { append(other.data_, other.size_); }
    TRawArray(TRawArray&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)),
          size_(std::exchange(other.size_, 0)),
          capacity_(std::exchange(other.capacity_, 0))
    {}
    TRawArray& operator=(const TRawArray& other)
    {
        if (this != &other)
            *this = TRawArray(other);
        return *this;
    }
    // The other array is left with this one's elements.
    TRawArray& operator=(TRawArray&& other) noexcept
    {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        std::swap(capacity_, other.capacity_);
        return *this;
    }
    ~TRawArray() { std::free(data_); }

    T* data() { return data_; }
    const T* data() const { return data_; }
    std::size_t size() const { return size_; }
    std::size_t capacity() const { return capacity_; }
    bool empty() const { return size_ == 0; }
    T& operator[](std::size_t index) { return data_[index]; }
    const T& operator[](std::size_t index) const { return data_[index]; }
    const T* begin() const { return data_; }
    const T* end() const { return data_ + size_; }

    void reserve(std::size_t count)
    {
        if (count > capacity_)
            Reallocate(count);
    }
    // Elements past the old size are unwritten until the caller writes them.
    void resize(std::size_t count)
    {
        reserve(count);
        size_ = count;
    }
    void push_back(const T& value)
    {
        const T copy = value; // `value` may be one of the elements, moved by the growth
        if (size_ == capacity_)
            Reallocate(Grown(size_ + 1));
        data_[size_++] = copy;
    }
    // `values` may lie inside this array.
    void append(const T* values, std::size_t count)
    {
        if (count == 0)
            return;
        if (count > capacity_ - size_) {
            const bool inside = std::less_equal<const T*>()(data_, values) && std::less<const T*>()(values, end());
            const std::size_t offset = inside ? static_cast<std::size_t>(values - data_) : 0;
            Reallocate(Grown(size_ + count));
            if (inside)
                values = data_ + offset;
        }
        std::memcpy(data_ + size_, values, count * sizeof(T));
        size_ += count;
    }
    void erase(std::size_t index)
    {
        std::memmove(data_ + index, data_ + index + 1, (size_ - index - 1) * sizeof(T));
        --size_;
    }
    void clear() { size_ = 0; }
    void shrink_to_fit()
    {
        if (capacity_ > size_)
            Reallocate(size_);
    }

private:
    std::size_t Grown(std::size_t needed) const { return std::max(needed, capacity_ + capacity_ / 2); }
    void Reallocate(std::size_t count)
    {
        if (count == 0) {
            std::free(std::exchange(data_, nullptr));
            capacity_ = 0;
            return;
        }
        if (count > SIZE_MAX / sizeof(T))
            throw std::bad_array_new_length();
        void* moved = std::realloc(data_, count * sizeof(T));
        if (moved == nullptr)
            throw std::bad_alloc();
        data_ = static_cast<T*>(moved);
        capacity_ = count;
    }

    T* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

} // namespace kelmora
