#pragma once

#include "ByteString.h"

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
    std::size_t Count() const { return numbers_.size(); }
    const LineList& Numbers() const { return numbers_; }
    const LineList& Labels() const { return labels_; }

private:
    LineList numbers_;
    LineList labels_;
};

} // namespace kelmora
