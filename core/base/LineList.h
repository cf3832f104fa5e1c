#pragma once

#include "core/base/RawArray.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

// An ordered list of byte strings kept in one buffer, so that a million entries cost their
// bytes plus eight each, and a file read becomes the list without copying its lines.
// A list holds at most 4 GiB of bytes; past that it refuses entries ("行を挿入できません").
class TLineList {
public:
    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;

        const_iterator() = default;
        const_iterator(const TLineList* list, std::size_t index) : list_(list), index_(index) {}
        std::string_view operator*() const { return (*list_)[index_]; }
        std::string_view operator[](difference_type n) const { return (*list_)[index_ + static_cast<std::size_t>(n)]; }
        const_iterator& operator++()
        {
            ++index_;
            return *this;
        }
        const_iterator operator++(int)
        {
            auto old = *this;
            ++index_;
            return old;
        }
        const_iterator& operator--()
        {
            --index_;
            return *this;
        }
        const_iterator operator--(int)
        {
            auto old = *this;
            --index_;
            return old;
        }
        const_iterator& operator+=(difference_type n)
        {
            index_ += static_cast<std::size_t>(n);
            return *this;
        }
        const_iterator& operator-=(difference_type n)
        {
            index_ -= static_cast<std::size_t>(n);
            return *this;
        }
        friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
        friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
        friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const const_iterator& a, const const_iterator& b)
        {
            return static_cast<difference_type>(a.index_) - static_cast<difference_type>(b.index_);
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) { return a.index_ == b.index_; }
        friend auto operator<=>(const const_iterator& a, const const_iterator& b) { return a.index_ <=> b.index_; }

    private:
        const TLineList* list_ = nullptr;
        std::size_t index_ = 0;
    };
    using iterator = const_iterator;
    using value_type = std::string_view;
    using size_type = std::size_t;

    TLineList() = default;
    TLineList(std::initializer_list<std::string_view> entries);
    // Adopts `buffer`; each span names one entry inside it.
    struct Span {
        std::uint32_t offset;
        std::uint32_t length;
    };
    using TBuffer = TRawArray<char>;
    using TSpans = TRawArray<Span>;
    static constexpr std::size_t kMaxBytes = UINT32_MAX;
    TLineList(TBuffer buffer, TSpans spans);

    std::size_t size() const { return spans_.size(); }
    // The bytes held, erased entries' included.
    std::size_t ByteSize() const { return buffer_.size(); }
    bool empty() const { return spans_.empty(); }
    std::string_view operator[](std::size_t index) const
    {
        return {buffer_.data() + spans_[index].offset, spans_[index].length};
    }
    // How many bytes may be read from entry `index`'s start: its own and those after it in the
    // list's buffer, for readers that take many bytes at a time.
    std::size_t ReadableFrom(std::size_t index) const { return buffer_.size() - spans_[index].offset; }
    std::string_view front() const { return (*this)[0]; }
    std::string_view back() const { return (*this)[size() - 1]; }
    // Hints that entry `index` is read soon, for a reader that visits entries out of order: its
    // span first, then, once the span has come in, its bytes.
    void PrefetchSpan(std::size_t index) const { __builtin_prefetch(spans_.data() + index); }
    void PrefetchBytes(std::size_t index) const { __builtin_prefetch(buffer_.data() + spans_[index].offset); }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    void push_back(std::string_view entry);
    // Removes entry `index`; its bytes stay in the buffer until the list is cleared.
    void erase(std::size_t index);
    void clear();
    void reserve(std::size_t entries, std::size_t bytes);
    // Adds the other list's entries after this one's; into an empty list they move whole.
    void append(TLineList&& other);
    // Adds a copy of the other list's entries after this one's, its bytes in one piece.
    void append(const TLineList& other);
    // Adds the last entry `count` more times; the copies share its bytes.
    void RepeatBack(std::size_t count);

    friend bool operator==(const TLineList& a, const TLineList& b);

private:
    TBuffer buffer_;
    TSpans spans_;
};

} // namespace kelmora
