#include "core/match/SuffixTrie.h"

#include <algorithm>
#include <numeric>

namespace kelmora {

TSuffixTrie::TSuffixTrie(const TLineList& numbers)
{
    // The numbers reversed and sorted: the nodes of one trie level are then the distinct
    // prefixes of that length in sorted order, and each node's children a run of the level
    // below, so the trie is laid out level by level without a per-node map.
    std::string reversed;
    std::size_t total = 0;
    for (const std::string_view number : numbers)
        total += number.size();
    reversed.reserve(total);
    std::vector<std::string_view> keys;
    keys.reserve(numbers.size());
    for (const std::string_view number : numbers)
        reversed.append(number.rbegin(), number.rend());
    std::size_t offset = 0;
    for (const std::string_view number : numbers) {
        keys.emplace_back(reversed.data() + offset, number.size());
        offset += number.size();
    }
    std::vector<std::uint32_t> order(keys.size());
    std::iota(order.begin(), order.end(), 0U);
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });

    ReserveIds(keys.size());
    std::vector<std::string_view> distinct;
    distinct.reserve(keys.size());
    std::uint32_t id = 0;
    for (const std::uint32_t k : order) {
        if (distinct.empty() || distinct.back() != keys[k]) {
            distinct.push_back(keys[k]);
            id = NewId();
        }
        SetId(k, id);
    }

    // Node k stands for the keys [first, last) that share its first `depth` bytes; the key equal
    // to that prefix, if any, sorts first among them.
    struct Range {
        std::uint32_t first;
        std::uint32_t last;
        std::uint32_t depth;
    };
    // A node per distinct suffix at most: one per byte, and the root.
    std::vector<Range> ranges;
    ranges.reserve(total + 1);
    nodes_.reserve(total + 1);
    ranges.push_back({0, static_cast<std::uint32_t>(distinct.size()), 0});
    for (std::size_t k = 0; k < ranges.size(); ++k) {
        auto [first, last, depth] = ranges[k];
        Node node;
        if (first < last && distinct[first].size() == depth)
            node.id = first++;
        node.firstChild = static_cast<std::uint32_t>(ranges.size());
        while (first < last) {
            const auto byte = static_cast<unsigned char>(distinct[first][depth]);
            std::uint32_t end = first + 1;
            while (end < last && static_cast<unsigned char>(distinct[end][depth]) == byte)
                ++end;
            node.bytes[byte >> 6] |= std::uint64_t{1} << (byte & 63);
            ranges.push_back({first, end, depth + 1});
            first = end;
        }
        nodes_.push_back(node);
    }

    rootId_ = nodes_[0].id;
    // The table's value v stands for the digits of v, four of them with leading zeros; its
    // last digit is the walk's first step.
    constexpr std::size_t kDigitValues = 10000;
    digits_.reserve(kDigitValues);
    for (std::size_t value = 0; value < kDigitValues; ++value) {
        const auto first = static_cast<std::uint32_t>(digitHits_.size());
        std::uint32_t at = 0;
        std::size_t rest = value;
        for (std::size_t k = 0; k < kDigitDepth && at != kNone; ++k, rest /= 10) {
            at = Child(at, static_cast<unsigned char>('0' + rest % 10));
            if (at != kNone && nodes_[at].id != kNone)
                digitHits_.push_back(nodes_[at].id);
        }
        const auto count = static_cast<std::uint32_t>(digitHits_.size()) - first;
        digits_.push_back({at, first << kHitCountBits | count});
    }
}

} // namespace kelmora
