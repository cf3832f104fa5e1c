#pragma once

#include "core/base/HugePages.h"
#include "core/base/LineList.h"
#include "core/match/NumberIds.h"
#include "core/match/TailDigits.h"

#include <bit>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace kelmora {

// The distinct winning numbers, found by the bytes a ticket ends in. There is one hash table
// per length that some number has; the table of length L holds the last L bytes of every
// number at least L long, so a ticket is looked up in the tables from the shortest length up
// and the walk stops at the first suffix no number ends in. A draw whose numbers all have one
// length then costs one probe per ticket, however many numbers it has.
class TSuffixIndex : public TNumberIds {
public:
    explicit TSuffixIndex(const TLineList& numbers);

    // Calls found(id) for each distinct number that `text` ends in, shortest first.
    template <class Found>
    void ForEachSuffix(std::string_view text, Found&& found) const
    {
        if (emptyId_ != kNone)
            found(emptyId_);
        const std::uint64_t tail = TailOf(text);
        TTailHash hash(text);
        for (const Level& level : levels_) {
            if (level.length > text.size())
                return;
            const std::size_t at = level.bits.empty() ? Find(level, text, tail, hash) : FindDigits(level, tail);
            if (at == kAbsent)
                return;
            if (level.ids[at] != kNone)
                found(level.ids[at]);
        }
    }

    // ForEachSuffix(text(), found): the tables take no shortcut from what `known` ends in.
    template <class Text, class Found>
    void ForEachSuffixOf(std::string_view, Text&& text, Found&& found) const
    {
        ForEachSuffix(text(), found);
    }

    // Starts loading the first slot a later ForEachSuffix(text) reads in each table too large for
    // the cache, so that a caller walking many texts can overlap those memory reads.
    void Prefetch(std::string_view text) const
    {
        if (!largeLevels_.empty())
            PrefetchLarge(text);
    }

private:
    // Suffixes up to this long are their own key; longer ones are keyed by a hash and compared.
    static constexpr std::size_t kPackedLength = 8;
    // Marks an empty slot. Only a suffix of eight 0xFF bytes packs to it; that one has its own
    // place after the slots. A hash never takes it.
    static constexpr std::uint64_t kEmptyKey = UINT64_MAX;
    static constexpr std::size_t kAbsent = SIZE_MAX;

    // Keys alone in their array, so that a table of 100,000 short numbers stays within 2 MiB;
    // ids are read only for a suffix that is there. A level whose suffixes are all ASCII
    // digits, and few enough of them to fit, is a bit per decimal value instead: 100,000
    // six-digit numbers take 125 KiB, in a core's cache, where their slots would take 2 MiB.
    struct Level {
        std::size_t length = 0;
        unsigned shift = 62;  // 64 - log2(slot count): a hash's top bits pick its slot
        std::size_t mask = 3; // slot count - 1
        std::vector<std::uint64_t, THugePageAllocator<std::uint64_t>> keys;
        // The number equal to each suffix, or kNone; one more for kEmptyKey.
        std::vector<std::uint32_t, THugePageAllocator<std::uint32_t>> ids;
        // Long levels: a number (index into long_) ending in each suffix.
        std::vector<std::uint32_t, THugePageAllocator<std::uint32_t>> numbers;
        bool hasEmptyKey = false;
        // Digit levels: the bit of each value that is there, and how many bits are set before
        // each word; ids are then by that count.
        std::vector<std::uint64_t> bits;
        std::vector<std::uint32_t> ranks;
        // The tail's top `length` bytes, and '0' bytes below them as leading zeros.
        std::uint64_t digitMask = 0;
        std::uint64_t digitPad = 0;
    };
    static constexpr std::size_t kMaxDigitLength = 7;

    // A hash of a text's last bytes, read from its end and grown as longer tables ask for it:
    // a walk or an insertion through tables of many lengths reads each byte once.
    class TTailHash {
    public:
        explicit TTailHash(std::string_view text) : text_(text) {}
        // The hash of the last `length` bytes, no fewer than asked for before; never kEmptyKey.
        std::uint64_t Of(std::size_t length)
        {
            for (; hashed_ < length; ++hashed_)
                hash_ = (hash_ ^ static_cast<unsigned char>(text_[text_.size() - 1 - hashed_])) * 0x100000001B3ULL;
            return hash_ == kEmptyKey ? hash_ - 1 : hash_;
        }

    private:
        std::string_view text_;
        std::uint64_t hash_ = 0xCBF29CE484222325ULL;
        std::size_t hashed_ = 0;
    };

    static std::uint64_t KeyOf(std::size_t length, std::uint64_t tail, TTailHash& hash)
    {
        return length <= kPackedLength ? tail >> (64 - 8 * length) : hash.Of(length);
    }
    static std::size_t SlotOf(std::uint64_t key, unsigned shift)
    {
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ULL) >> shift);
    }
    bool SameSuffix(const Level& level, std::size_t at, std::string_view text) const
    {
        if (level.length <= kPackedLength)
            return true;
        const std::string_view number = long_[level.numbers[at]];
        return number.substr(number.size() - level.length) == text.substr(text.size() - level.length);
    }

    // The slot of the last `level.length` bytes of `text`, or kAbsent.
    std::size_t Find(const Level& level, std::string_view text, std::uint64_t tail, TTailHash& hash) const
    {
        const std::uint64_t key = KeyOf(level.length, tail, hash);
        if (key == kEmptyKey)
            return level.hasEmptyKey ? level.mask + 1 : kAbsent;
        for (std::size_t at = SlotOf(key, level.shift);; at = (at + 1) & level.mask) {
            const std::uint64_t slot = level.keys[at];
            if (slot == kEmptyKey)
                return kAbsent;
            if (slot == key && SameSuffix(level, at, text))
                return at;
        }
    }
    static std::uint64_t DigitValue(const Level& level, std::uint64_t tail)
    {
        return DecimalOfBytes((tail & level.digitMask) | level.digitPad);
    }
    // The place of a digit level's suffix in its ids, or kAbsent.
    static std::size_t FindDigits(const Level& level, std::uint64_t tail)
    {
        const std::uint64_t value = DigitValue(level, tail);
        if (value == kNotDecimal)
            return kAbsent;
        const std::uint64_t word = level.bits[value >> 6];
        const std::uint64_t bit = std::uint64_t{1} << (value & 63);
        if ((word & bit) == 0)
            return kAbsent;
        return level.ranks[value >> 6] + static_cast<std::size_t>(std::popcount(word & (bit - 1)));
    }
    void PrefetchLarge(std::string_view text) const;
    std::size_t FindOrAdd(Level& level, std::string_view number, std::uint32_t longIndex, TTailHash& hash);
    void MakeDigitLevels(const TLineList& numbers);

    std::vector<Level> levels_;            // by length, shortest first
    std::vector<std::size_t> largeLevels_; // those whose slots outgrow the cache, shortest first
    TLineList long_;                       // the numbers longer than kPackedLength bytes
    std::uint32_t emptyId_ = kNone;
};

} // namespace kelmora
