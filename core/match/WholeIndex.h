#pragma once

#include "core/base/LineList.h"

#include <array>
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
        if (text.size() < shortest_ || text.size() > longest_ || !HasEnding(text))
            return kNone;
        const std::uint64_t hash = HashOf(text);
        for (std::size_t at = hash >> shift_;; at = (at + 1) & mask_) {
            const TSlot& slot = slots_[at];
            if (slot.key == kNone)
                return kNone;
            if (slot.hash == hash && keys_[slot.key] == text)
                return values_[slot.key];
        }
    }

private:
    struct TSlot {
        std::uint64_t hash = 0;
        std::uint32_t key = kNone; // the key's index
    };

    // A few bits of a text's last two bytes: most tickets end in two bytes no key ends in, and
    // are told so without a hash.
    static std::size_t EndingOf(std::string_view text)
    {
        const auto last = static_cast<unsigned char>(text.back());
        const auto before = text.size() >= 2 ? static_cast<unsigned char>(text[text.size() - 2]) : 0U;
        return (last + 31 * std::size_t{before}) % kEndingBits;
    }
    bool HasEnding(std::string_view text) const
    {
        const std::size_t ending = EndingOf(text);
        return (endings_[ending / 64] >> (ending % 64) & 1) != 0;
    }

    // Eight bytes at a time, the last eight (overlapping) ending it: tickets are short, and a
    // byte loop would cost as much as the walk.
    static std::uint64_t HashOf(std::string_view text)
    {
        constexpr std::uint64_t kMix = 0x9E3779B97F4A7C15ULL;
        const auto load = [&](std::size_t at) {
            std::uint64_t word = 0;
            std::memcpy(&word, text.data() + at, 8);
            return word;
        };
        std::uint64_t hash = text.size() * kMix;
        if (text.size() >= 8) {
            for (std::size_t p = 0; p + 8 < text.size(); p += 8)
                hash = std::rotl((hash ^ load(p)) * kMix, 29);
            hash ^= load(text.size() - 8);
        } else {
            for (const char c : text)
                hash = hash << 8 | static_cast<unsigned char>(c);
        }
        hash *= kMix;
        return (hash ^ hash >> 32) * kMix;
    }

    static constexpr std::size_t kEndingBits = 4096;
    std::array<std::uint64_t, kEndingBits / 64> endings_{};
    TLineList keys_;
    std::vector<std::uint32_t> values_;
    std::vector<TSlot> slots_;
    unsigned shift_ = 63;
    std::size_t mask_ = 1;
    std::size_t shortest_ = SIZE_MAX;
    std::size_t longest_ = 0;
};

} // namespace kelmora
