#pragma once

#include "core/base/ByteString.h"
#include "core/base/LineList.h"
#include "core/match/NumberIds.h"
#include "core/match/TailDigits.h"

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
        ForEachSuffixOf(text, [text] { return text; }, found);
    }

    // The same for the text that `text()` makes, where `known` ends as that text does when its
    // last four bytes are ASCII digits: those steps are taken on `known`, and the text is made
    // only for a walk that goes on past them. A ticket's normal form keeps its last digits, so
    // most tickets are checked without being normalised.
    template <class Text, class Found>
    void ForEachSuffixOf(std::string_view known, Text&& text, Found&& found) const
    {
        if (rootId_ != kNone)
            found(rootId_);
        std::uint32_t node = 0;
        std::size_t walked = 0;
        if (known.size() >= kDigitDepth) {
            if (const std::uint64_t at = DecimalOfLastFour(known.data() + known.size()); at != kNotDecimal) {
                const TDigitStep step = digits_[at];
                if ((step.hits & kHitCountMask) != 0) {
                    const std::uint32_t first = step.hits >> kHitCountBits;
                    for (std::uint32_t k = first; k < first + (step.hits & kHitCountMask); ++k)
                        found(digitHits_[k]);
                }
                if (step.node == kNone)
                    return;
                node = step.node;
                walked = kDigitDepth;
            }
        }
        const std::string_view whole = text();
        for (std::size_t p = whole.size() - walked; p-- > 0;) {
            node = Child(node, static_cast<unsigned char>(whole[p]));
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

    // The node reached by each four ASCII digits, and the numbers met on the way there, read
    // instead of the trie's first four steps: 10,000 of them stay in a core's cache.
    static constexpr std::size_t kDigitDepth = 4; // as DecimalOfLastFour reads
    static constexpr unsigned kHitCountBits = 3; // at most kDigitDepth numbers on the way
    static constexpr std::uint32_t kHitCountMask = (1U << kHitCountBits) - 1;
    struct TDigitStep {
        std::uint32_t node; // kNone where no longer number ends in these digits
        std::uint32_t hits; // where its numbers start in digitHits_, shifted, and how many
    };

    std::vector<Node> nodes_;
    std::vector<TDigitStep> digits_;
    std::vector<std::uint32_t> digitHits_;
    std::uint32_t rootId_ = kNone; // the empty number's
};

} // namespace kelmora
