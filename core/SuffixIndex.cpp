#include "core/SuffixIndex.h"

#include <map>

namespace kelmora {

TSuffixIndex::TSuffixIndex(const TLineList& numbers)
{
    struct BuildNode {
        std::map<unsigned char, std::uint32_t> children;
        std::uint32_t id = kNone;
    };
    std::vector<BuildNode> build(1);
    idOf_.reserve(numbers.size());
    for (const std::string_view number : numbers) {
        std::uint32_t node = 0;
        for (auto p = number.size(); p-- > 0;) {
            const auto byte = static_cast<unsigned char>(number[p]);
            auto it = build[node].children.find(byte);
            if (it == build[node].children.end()) {
                const auto child = static_cast<std::uint32_t>(build.size());
                build[node].children.emplace(byte, child);
                build.emplace_back();
                node = child;
            } else {
                node = it->second;
            }
        }
        if (build[node].id == kNone)
            build[node].id = static_cast<std::uint32_t>(distinctCount_++);
        idOf_.push_back(build[node].id);
    }

    // Renumber breadth first so that every node's children are consecutive, in byte order.
    std::vector<std::uint32_t> order{0};
    order.reserve(build.size());
    nodes_.resize(build.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        const BuildNode& from = build[order[k]];
        Node& to = nodes_[k];
        to.id = from.id;
        to.firstChild = static_cast<std::uint32_t>(order.size());
        for (const auto& [byte, child] : from.children) {
            to.bytes[byte >> 6] |= std::uint64_t{1} << (byte & 63);
            order.push_back(child);
        }
    }
}

} // namespace kelmora
