#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kelmora {

// Picked or drawn numbers as a set: a number given twice is there once. Sets of numbers below
// 128 (every real draw's) are compared as bits.
class TNumberSet {
public:
    void Clear()
    {
        mask_ = {};
        masked_ = true;
        sorted_.clear();
    }
    // Adds a number to a set in bits; one past them leaves the set to be assigned whole.
    void Add(std::uint32_t n)
    {
        if (n < kMaskLimit)
            mask_[n / 64] |= std::uint64_t{1} << (n % 64);
        else
            masked_ = false;
    }
    bool Masked() const { return masked_; }
    // Replaces the set with `numbers`.
    void Assign(const std::vector<std::uint32_t>& numbers);
    // How many numbers the two sets share.
    bool operator==(const TNumberSet& other) const
    {
        return masked_ == other.masked_ && mask_ == other.mask_ && sorted_ == other.sorted_;
    }
    std::size_t Common(const TNumberSet& other) const
    {
        if (masked_ && other.masked_)
            return BitCount(mask_[0] & other.mask_[0]) + BitCount(mask_[1] & other.mask_[1]);
        return CommonSorted(other);
    }

private:
    // The baseline build has no popcount instruction, and the library's call costs more than
    // these few operations on the short sets of a ticket.
    static std::size_t BitCount(std::uint64_t bits)
    {
        bits -= (bits >> 1) & 0x5555555555555555ULL;
        bits = (bits & 0x3333333333333333ULL) + ((bits >> 2) & 0x3333333333333333ULL);
        bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
        return static_cast<std::size_t>((bits * 0x0101010101010101ULL) >> 56);
    }
    std::size_t CommonSorted(const TNumberSet& other) const;
    // The numbers in order, from whichever form the set is in.
    std::vector<std::uint32_t> Sorted() const;

    static constexpr std::uint32_t kMaskLimit = 128;
    std::vector<std::uint32_t> sorted_; // only where some number is past the bits
    std::array<std::uint64_t, 2> mask_{};
    bool masked_ = true;
};

} // namespace kelmora
