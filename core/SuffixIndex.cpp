#include "SuffixIndex.h"

#include <map>

namespace kelmora {

TSuffixIndex::TSuffixIndex(const LineList& numbers)
{
    // Built with ordered child maps, then flattened so each node's edges sit side by side.
    struct BuildNode {
        std::map<unsigned char, std::uint32_t> children;
        std::uint32_t id = kNone;
    };
    std::vector<BuildNode> build(1);
    idOf_.reserve(numbers.size());
    for (const ByteString& number : numbers) {
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

    nodes_.resize(build.size());
    for (std::size_t i = 0; i < build.size(); ++i) {
        nodes_[i].id = build[i].id;
        nodes_[i].firstEdge = static_cast<std::uint32_t>(edgeBytes_.size());
        nodes_[i].edgeCount = static_cast<std::uint32_t>(build[i].children.size());
        for (const auto& [byte, child] : build[i].children) {
            edgeBytes_.push_back(byte);
            edgeTargets_.push_back(child);
        }
    }
}

} // namespace kelmora
