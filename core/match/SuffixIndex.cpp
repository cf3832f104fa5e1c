#include "core/match/SuffixIndex.h"

#include <bit>

namespace kelmora {
namespace {

// A table up to this size stays in a core's cache during a walk over the tickets; a larger
// one is worth loading ahead.
constexpr std::size_t kCachedBytes = std::size_t{256} * 1024;

// How many decimal values `length` digits have.
std::uint64_t DecimalValues(std::size_t length)
{
    std::uint64_t values = 1;
    for (std::size_t n = 0; n < length; ++n)
        values *= 10;
    return values;
}

} // namespace

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
    }
    MakeDigitLevels(numbers);
    for (Level& level : levels_) {
        const std::size_t bytes =
            level.bits.empty() ? (level.mask + 1) * sizeof(std::uint64_t) : level.bits.size() * sizeof(std::uint64_t);
        if (bytes > kCachedBytes)
            largeLevels_.push_back(static_cast<std::size_t>(&level - levels_.data()));
        if (!level.bits.empty())
            continue;
        level.keys.assign(level.mask + 1, kEmptyKey);
        level.ids.assign(level.mask + 2, kNone);
        if (level.length > kPackedLength)
            level.numbers.assign(level.mask + 1, 0);
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
        TTailHash hash(number);
        for (Level& level : levels_) {
            if (level.length > number.size())
                break;
            id = &level.ids[FindOrAdd(level, number, longIndex, hash)];
        }
        if (*id == kNone)
            *id = NewId();
        SetId(i, *id);
    }
}

void TSuffixIndex::MakeDigitLevels(const TLineList& numbers)
{
    // A level can be bits where every suffix of its length is digits and the bits take no
    // more room than the slots would.
    std::vector<char> digits(levels_.size());
    for (std::size_t k = 0; k < levels_.size(); ++k) {
        Level& level = levels_[k];
        if (level.length > kMaxDigitLength ||
            DecimalValues(level.length) / 8 > (level.mask + 1) * sizeof(std::uint64_t))
            continue;
        digits[k] = 1;
        level.digitMask = ~std::uint64_t{0} << (64 - 8 * level.length);
        level.digitPad = 0x3030303030303030ULL & ~level.digitMask;
    }
    for (const std::string_view number : numbers) {
        const std::uint64_t tail = TailOf(number);
        for (std::size_t k = 0; k < levels_.size() && levels_[k].length <= number.size(); ++k)
            if (digits[k] != 0 && DigitValue(levels_[k], tail) == kNotDecimal)
                digits[k] = 0;
    }
    for (std::size_t k = 0; k < levels_.size(); ++k) {
        if (digits[k] == 0)
            continue;
        Level& level = levels_[k];
        level.bits.assign((DecimalValues(level.length) + 63) / 64, 0);
        for (const std::string_view number : numbers) {
            if (number.size() < level.length)
                continue;
            const std::uint64_t value = DigitValue(level, TailOf(number));
            level.bits[value >> 6] |= std::uint64_t{1} << (value & 63);
        }
        level.ranks.resize(level.bits.size());
        std::uint32_t set = 0;
        for (std::size_t w = 0; w < level.bits.size(); ++w) {
            level.ranks[w] = set;
            set += static_cast<std::uint32_t>(std::popcount(level.bits[w]));
        }
        level.ids.assign(set, kNone);
    }
}

void TSuffixIndex::PrefetchLarge(std::string_view text) const
{
    const std::uint64_t tail = TailOf(text);
    TTailHash hash(text);
    for (const std::size_t k : largeLevels_) {
        const Level& level = levels_[k];
        if (level.length > text.size())
            return;
        if (level.bits.empty()) {
            __builtin_prefetch(&level.keys[SlotOf(KeyOf(level.length, tail, hash), level.shift)]);
        } else if (const std::uint64_t value = DigitValue(level, tail); value != kNotDecimal) {
            __builtin_prefetch(&level.bits[value >> 6]);
        }
    }
}

std::size_t TSuffixIndex::FindOrAdd(Level& level, std::string_view number, std::uint32_t longIndex, TTailHash& hash)
{
    if (!level.bits.empty())
        return FindDigits(level, TailOf(number));
    const std::uint64_t key = KeyOf(level.length, TailOf(number), hash);
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
