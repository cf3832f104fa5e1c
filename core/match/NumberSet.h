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
    // Replaces the set with `numbers`.
    void Assign(const std::vector<std::uint32_t>& numbers);
    // How many numbers the two sets share.
    std::size_t Common(const TNumberSet& other) const;
    std::size_t size() const { return sorted_.size(); }

private:
    static constexpr std::uint32_t kMaskLimit = 128;
    std::vector<std::uint32_t> sorted_;
    std::array<std::uint64_t, 2> mask_{};
    bool masked_ = true;
};

} // namespace kelmora
