#include "core/match/NumberSet.h"

#include <algorithm>

namespace kelmora {

void TNumberSet::Assign(const std::vector<std::uint32_t>& numbers)
{
    // Every real ticket's numbers fit the bits: no sorting for them.
    mask_ = {};
    masked_ = std::all_of(numbers.begin(), numbers.end(), [](std::uint32_t n) { return n < kMaskLimit; });
    sorted_.clear();
    if (masked_) {
        for (const std::uint32_t n : numbers)
            mask_[n / 64] |= std::uint64_t{1} << (n % 64);
        return;
    }
    sorted_.assign(numbers.begin(), numbers.end());
    std::sort(sorted_.begin(), sorted_.end());
    sorted_.erase(std::unique(sorted_.begin(), sorted_.end()), sorted_.end());
}

// One set has a number past the bits: compare as sorted lists.
std::size_t TNumberSet::CommonSorted(const TNumberSet& other) const
{
    const std::vector<std::uint32_t> mine = Sorted();
    const std::vector<std::uint32_t> theirs = other.Sorted();
    std::size_t common = 0;
    auto a = mine.begin();
    auto b = theirs.begin();
    while (a != mine.end() && b != theirs.end()) {
        if (*a < *b) {
            ++a;
        } else if (*b < *a) {
            ++b;
        } else {
            ++common;
            ++a;
            ++b;
        }
    }
    return common;
}

std::vector<std::uint32_t> TNumberSet::Sorted() const
{
    if (!masked_)
        return sorted_;
    std::vector<std::uint32_t> numbers;
    for (std::uint32_t n = 0; n < kMaskLimit; ++n)
        if ((mask_[n / 64] >> (n % 64)) & 1U)
            numbers.push_back(n);
    return numbers;
}

} // namespace kelmora
