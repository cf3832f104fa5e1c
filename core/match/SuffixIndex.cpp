#include "core/match/SuffixIndex.h"

#include <bit>

namespace kelmora {
namespace {

// A table up to this size stays in a core's cache during a walk over the tickets; a larger
// one is worth loading ahead.
constexpr std::size_t kCachedBytes = std::size_t{256} * 1024;

} // namespace

std::uint64_t TSuffixIndex::HashOf(std::string_view bytes)
{
    std::uint64_t hash = 0xCBF29CE484222325ULL ^ bytes.size();
    for (const char c : bytes)
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ULL;
    return hash;
}

TSuffixIndex::TSuffixIndex(const TLineList& numbers)
{
    // How many numbers are at least each length long: a table of length L holds at most that
    // many suffixes.
    std::vector<std::size_t> atLeast;
    for (const std::string_view number : numbers) {
        if (number.size() >= atLeast.size())
            atLeast.resize(number.size() + 1);
        ++atLeast[number.size()];
    }
    for (std::size_t length = 1; length < atLeast.size(); ++length)
        if (atLeast[length] > 0)
            levels_.emplace_back().length = length;
    for (std::size_t length = atLeast.size(); length-- > 1;)
        if (length + 1 < atLeast.size())
            atLeast[length] += atLeast[length + 1];
    for (Level& level : levels_) {
        // At most half full, so that a lookup that finds nothing stops within a probe or two.
        const std::size_t slots = std::bit_ceil(2 * atLeast[level.length] < 4 ? 4 : 2 * atLeast[level.length]);
        level.shift = static_cast<unsigned>(64 - std::countr_zero(slots));
        level.mask = slots - 1;
        level.keys.assign(slots, kEmptyKey);
        level.ids.assign(slots + 1, kNone);
        if (level.length > kPackedLength)
            level.numbers.assign(slots, 0);
        if (slots * sizeof(std::uint64_t) > kCachedBytes)
            largeLevels_.push_back(static_cast<std::size_t>(&level - levels_.data()));
    }

    ReserveIds(numbers.size());
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::string_view number = numbers[i];
        if (number.empty()) {
            if (emptyId_ == kNone)
                emptyId_ = NewId();
            SetId(i, emptyId_);
            continue;
        }
        std::uint32_t longIndex = 0;
        if (number.size() > kPackedLength) {
            longIndex = static_cast<std::uint32_t>(long_.size());
            long_.push_back(number);
        }
        // Every shorter length that some number has gets this number's suffix, so that a walk
        // does not stop before reaching it.
        std::uint32_t* id = nullptr;
        for (Level& level : levels_) {
            if (level.length > number.size())
                break;
            id = &level.ids[FindOrAdd(level, number, longIndex)];
        }
        if (*id == kNone)
            *id = NewId();
        SetId(i, *id);
    }
}

std::size_t TSuffixIndex::FindOrAdd(Level& level, std::string_view number, std::uint32_t longIndex)
{
    const std::uint64_t key = KeyOf(level.length, number, TailOf(number));
    if (key == kEmptyKey) {
        level.hasEmptyKey = true;
        return level.mask + 1;
    }
    for (std::size_t at = SlotOf(key, level.shift);; at = (at + 1) & level.mask) {
        if (level.keys[at] == kEmptyKey) {
            level.keys[at] = key;
            if (level.length > kPackedLength)
                level.numbers[at] = longIndex;
            return at;
        }
        if (level.keys[at] == key && SameSuffix(level, at, number))
            return at;
    }
}

} // namespace kelmora
