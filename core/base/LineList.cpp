#include "core/base/LineList.h"

#include "core/base/KelmoraError.h"

#include <algorithm>
#include <utility>

namespace kelmora {

TLineList::TLineList(std::initializer_list<std::string_view> entries)
{
    for (const auto entry : entries)
        push_back(entry);
}

TLineList::TLineList(TBuffer buffer, TSpans spans) : buffer_(std::move(buffer)), spans_(std::move(spans))
{
    if (buffer_.size() > kMaxBytes)
        ThrowCannotInsertLine();
}

void TLineList::push_back(std::string_view entry)
{
    if (buffer_.size() + entry.size() > kMaxBytes)
        ThrowCannotInsertLine();
    spans_.push_back({static_cast<std::uint32_t>(buffer_.size()), static_cast<std::uint32_t>(entry.size())});
    buffer_.append(entry.data(), entry.size());
}

void TLineList::erase(std::size_t index)
{
    spans_.erase(index);
    if (spans_.empty())
        buffer_.clear();
}

void TLineList::clear()
{
    spans_.clear();
    buffer_.clear();
}

void TLineList::reserve(std::size_t entries, std::size_t bytes)
{
    spans_.reserve(entries);
    buffer_.reserve(bytes);
}

void TLineList::append(TLineList&& other)
{
    if (spans_.empty()) {
        *this = std::move(other);
        return;
    }
    append(std::as_const(other));
    other.clear();
}

void TLineList::append(const TLineList& other)
{
    if (buffer_.size() + other.buffer_.size() > kMaxBytes)
        ThrowCannotInsertLine();
    const auto shift = static_cast<std::uint32_t>(buffer_.size());
    buffer_.append(other.buffer_.data(), other.buffer_.size());
    spans_.reserve(spans_.size() + other.spans_.size());
    for (const Span& span : other.spans_)
        spans_.push_back({span.offset + shift, span.length});
}

void TLineList::RepeatBack(std::size_t count)
{
    const Span last = spans_[spans_.size() - 1];
    spans_.reserve(spans_.size() + count);
    for (std::size_t k = 0; k < count; ++k)
        spans_.push_back(last);
}

bool operator==(const TLineList& a, const TLineList& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

} // namespace kelmora
