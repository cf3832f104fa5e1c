#include "core/match/WholeIndex.h"

#include <algorithm>
#include <utility>

namespace kelmora {

TWholeIndex::TWholeIndex(const TLineList& keys, std::vector<std::uint32_t> values) : values_(std::move(values))
{
    // At most half full, so that a ticket that is no key stops within a probe or two.
    const std::size_t slots = std::bit_ceil(std::max<std::size_t>(4, 2 * keys.size()));
    shift_ = static_cast<unsigned>(64 - std::countr_zero(slots));
    mask_ = slots - 1;
    slots_.assign(slots, TSlot{});
    keys_.reserve(keys.size(), keys.ByteSize());
    for (const std::string_view key : keys) {
        const auto k = static_cast<std::uint32_t>(keys_.size());
        keys_.push_back(key);
        shortest_ = std::min(shortest_, key.size());
        longest_ = std::max(longest_, key.size());
        endings_[EndingOf(key) / 64] |= std::uint64_t{1} << (EndingOf(key) % 64);
        const std::uint64_t hash = HashOf(key);
        std::size_t at = hash >> shift_;
        while (slots_[at].key != kNone)
            at = (at + 1) & mask_;
        slots_[at] = {hash, k};
    }
}

} // namespace kelmora
