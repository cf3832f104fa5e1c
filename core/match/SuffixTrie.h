#pragma once

#include "core/base/ByteString.h"
#include "core/base/LineList.h"
#include "core/match/NumberIds.h"

#include <array>
#include <bit>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace kelmora {

// The distinct winning numbers in a trie built from their last byte backwards, so that one
// backward walk over a ticket finds every winning number it ends in. The quickest walk while
// the trie stays in a core's cache; TSuffixIndex takes over for larger draws.
class TSuffixTrie : public TNumberIds {
public:
    explicit TSuffixTrie(const TLineList& numbers);

    // Nothing to load ahead: the trie is used only while it stays in the cache.
    void Prefetch(std::string_view) const {}

    // Calls found(id) for each distinct number that `text` ends in, shortest first.
    template <class Found>
    void ForEachSuffix(std::string_view text, Found&& found) const
    {
        std::uint32_t node = 0;
        if (nodes_[0].id != kNone)
            found(nodes_[0].id);
        auto p = text.size();
        if (p >= kDigitDepth) {
            // Tickets end in digits: their first steps are one look each.
            const unsigned d0 = static_cast<unsigned char>(text[p - 1]) - unsigned{'0'};
            const unsigned d1 = static_cast<unsigned char>(text[p - 2]) - unsigned{'0'};
            const unsigned d2 = static_cast<unsigned char>(text[p - 3]) - unsigned{'0'};
            if (d0 < 10 && d1 < 10 && d2 < 10) {
                const auto step = [&](std::size_t at) {
                    const TDigitStep next = digits_[at];
                    if (next.id != kNone)
                        found(next.id);
                    node = next.node;
                    return node != kNone;
                };
                const std::size_t two = d1 * 10 + d0;
                if (!step(d0) || !step(10 + two) || !step(110 + d2 * 100 + two))
                    return;
                p -= kDigitDepth;
            }
        }
        while (p-- > 0) {
            node = Child(node, static_cast<unsigned char>(text[p]));
            if (node == kNone)
                return;
            if (nodes_[node].id != kNone)
                found(nodes_[node].id);
        }
    }

private:
    // A node's children lie side by side in byte order; the bitmap of the bytes that have a
    // child gives a child's place by counting the bits below it, in constant time.
    struct Node {
        std::array<std::uint64_t, 4> bytes{};
        std::uint32_t firstChild = 0;
        std::uint32_t id = kNone;
    };

    std::uint32_t Child(std::uint32_t node, unsigned char byte) const
    {
        const Node& n = nodes_[node];
        const unsigned word = byte >> 6;
        const std::uint64_t bit = std::uint64_t{1} << (byte & 63);
        if ((n.bytes[word] & bit) == 0)
            return kNone;
        std::uint32_t rank = static_cast<std::uint32_t>(std::popcount(n.bytes[word] & (bit - 1)));
        for (unsigned w = 0; w < word; ++w)
            rank += static_cast<std::uint32_t>(std::popcount(n.bytes[w]));
        return n.firstChild + rank;
    }

    // The nodes reached by one, two and three ASCII digits (10 + 100 + 1,000 of them, kNone
    // where no number ends so), read instead of the trie's first steps.
    static constexpr std::size_t kDigitDepth = 3;
    struct TDigitStep {
        std::uint32_t node;
        std::uint32_t id; // the node's
    };
    std::vector<Node> nodes_;
    std::vector<TDigitStep> digits_;
};

} // namespace kelmora
