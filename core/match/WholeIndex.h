#pragma once

#include "core/base/LineList.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace kelmora {

// Numbers that a ticket must equal, found by one hash of the whole ticket however many there
// are; a ticket of a length no number has is not even hashed.
class TWholeIndex {
public:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    TWholeIndex() = default;
    // Find(keys[k]) gives values[k]; the keys are distinct and not empty.
    TWholeIndex(const TLineList& keys, std::vector<std::uint32_t> values);

    bool Empty() const { return keys_.empty(); }

    // The value of the key equal to `text`, or kNone.
    std::uint32_t Find(std::string_view text) const
    {
        if (text.size() < shortest_ || text.size() > longest_)
            return kNone;
        for (std::size_t at = HashOf(text) >> shift_;; at = (at + 1) & mask_) {
            const std::uint32_t k = slots_[at];
            if (k == kNone || keys_[k] == text)
                return k == kNone ? kNone : values_[k];
        }
    }

private:
    // Eight bytes at a time: tickets are short, and a byte loop would cost as much as the walk.
    static std::uint64_t HashOf(std::string_view text)
    {
        constexpr std::uint64_t kMix = 0x9E3779B97F4A7C15ULL;
        std::uint64_t hash = text.size() * kMix;
        std::size_t p = 0;
        for (; text.size() - p >= 8; p += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, text.data() + p, 8);
            hash = std::rotl((hash ^ word) * kMix, 29);
        }
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + p, text.size() - p);
        hash = (hash ^ word) * kMix;
        return (hash ^ hash >> 32) * kMix;
    }

    TLineList keys_;
    std::vector<std::uint32_t> values_;
    std::vector<std::uint32_t> slots_; // a key's index, or kNone
    unsigned shift_ = 63;
    std::size_t mask_ = 1;
    std::size_t shortest_ = SIZE_MAX;
    std::size_t longest_ = 0;
};

} // namespace kelmora
