#pragma once

#include "ByteString.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kelmora {

// The distinct winning numbers in a trie built from their last byte backwards, so that one
// backward walk over a ticket finds every winning number it ends in.
class TSuffixIndex {
public:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    explicit TSuffixIndex(const LineList& numbers);

    // Id of each number given to the constructor; equal numbers share an id.
    std::uint32_t IdOf(std::size_t index) const { return idOf_[index]; }
    std::size_t DistinctCount() const { return distinctCount_; }

    // Calls found(id) for each distinct number that `text` ends in, shortest first.
    template <class Found>
    void ForEachSuffix(std::string_view text, Found&& found) const
    {
        std::uint32_t node = 0;
        if (nodes_[0].id != kNone)
            found(nodes_[0].id);
        for (auto p = text.size(); p-- > 0;) {
            node = Child(node, static_cast<unsigned char>(text[p]));
            if (node == kNone)
                return;
            if (nodes_[node].id != kNone)
                found(nodes_[node].id);
        }
    }

private:
    struct Node {
        std::uint32_t firstEdge = 0;
        std::uint32_t edgeCount = 0;
        std::uint32_t id = kNone;
    };

    std::uint32_t Child(std::uint32_t node, unsigned char byte) const
    {
        const Node& n = nodes_[node];
        const unsigned char* first = edgeBytes_.data() + n.firstEdge;
        const unsigned char* last = first + n.edgeCount;
        // Edges are sorted by byte: a scan suits the usual few digits, a search the rest.
        const unsigned char* at = first;
        if (n.edgeCount <= 16) {
            while (at != last && *at < byte)
                ++at;
        } else {
            at = std::lower_bound(first, last, byte);
        }
        if (at == last || *at != byte)
            return kNone;
        return edgeTargets_[n.firstEdge + static_cast<std::uint32_t>(at - first)];
    }

    std::vector<Node> nodes_;
    std::vector<unsigned char> edgeBytes_;
    std::vector<std::uint32_t> edgeTargets_;
    std::vector<std::uint32_t> idOf_;
    std::size_t distinctCount_ = 0;
};

} // namespace kelmora
