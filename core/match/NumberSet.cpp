#include "core/match/NumberSet.h"

#include <algorithm>
#include <bit>

namespace kelmora {

void TNumberSet::Assign(const std::vector<std::uint32_t>& numbers)
{
    sorted_.assign(numbers.begin(), numbers.end());
    std::sort(sorted_.begin(), sorted_.end());
    sorted_.erase(std::unique(sorted_.begin(), sorted_.end()), sorted_.end());
    mask_ = {};
    masked_ = sorted_.empty() || sorted_.back() < kMaskLimit;
    if (masked_)
        for (const std::uint32_t n : sorted_)
            mask_[n / 64] |= std::uint64_t{1} << (n % 64);
}

std::size_t TNumberSet::Common(const TNumberSet& other) const
{
    if (masked_ && other.masked_)
        return static_cast<std::size_t>(std::popcount(mask_[0] & other.mask_[0]) +
                                        std::popcount(mask_[1] & other.mask_[1]));
    std::size_t common = 0;
    auto a = sorted_.begin();
    auto b = other.sorted_.begin();
    while (a != sorted_.end() && b != other.sorted_.end()) {
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

} // namespace kelmora
