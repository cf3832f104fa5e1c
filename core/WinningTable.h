#pragma once

#include "core/ByteString.h"
#include "core/LineList.h"

#include <cstddef>

namespace kelmora {

// Winning numbers and, beside each, its prize class label; the two columns stay in step.
class TWinningTable {
public:
    void Clear()
    {
        numbers_.clear();
        labels_.clear();
    }
    void Add(std::string_view number, std::string_view label)
    {
        numbers_.push_back(number);
        labels_.push_back(label);
    }
    // Room for `entries` more entries with `numberBytes` and `labelBytes` in all, so that a
    // large draw is not copied as it grows.
    void Reserve(std::size_t entries, std::size_t numberBytes, std::size_t labelBytes)
    {
        numbers_.reserve(numbers_.size() + entries, numbers_.ByteSize() + numberBytes);
        labels_.reserve(labels_.size() + entries, labels_.ByteSize() + labelBytes);
    }
    std::size_t Count() const { return numbers_.size(); }
    const TLineList& Numbers() const { return numbers_; }
    const TLineList& Labels() const { return labels_; }

private:
    TLineList numbers_;
    TLineList labels_;
};

} // namespace kelmora
