#include "core/WinFinder.h"

#include "core/SuffixIndex.h"
#include "core/SuffixTrie.h"

namespace kelmora {
namespace {

struct THit {
    std::uint32_t id;
    std::uint32_t ticket;
};
using THits = std::vector<THit>;

// Below this many bytes of winning numbers the trie (40 bytes a node, a node per byte at
// most) stays within a core's cache and walks faster than the hash tables.
constexpr std::size_t kTrieBytes = std::size_t{12} * 1024;

// How many tickets ahead the index's large tables are loaded: enough to cover a memory read.
constexpr std::size_t kPrefetchDistance = 16;

template <class Index>
void CollectHits(const Index& index, const TLineList& tickets, THits& hits)
{
    for (std::size_t j = 0; j < tickets.size(); ++j) {
        if (j + kPrefetchDistance < tickets.size())
            index.Prefetch(tickets[j + kPrefetchDistance]);
        index.ForEachSuffix(tickets[j], [&](std::uint32_t id) { hits.push_back({id, static_cast<std::uint32_t>(j)}); });
    }
}

#if defined(__x86_64__) && defined(__GNUC__)
// The trie walk counts bits at every step; the CPU's own instruction makes the check about
// twice as fast where it exists, and the baseline build cannot assume it.
__attribute__((target("popcnt"), flatten)) void CollectHitsPopcnt(const TSuffixTrie& trie, const TLineList& tickets,
                                                                  THits& hits)
{
    CollectHits(trie, tickets, hits);
}

void CollectTrieHits(const TSuffixTrie& trie, const TLineList& tickets, THits& hits)
{
    if (__builtin_cpu_supports("popcnt"))
        CollectHitsPopcnt(trie, tickets, hits);
    else
        CollectHits(trie, tickets, hits);
}
#else
void CollectTrieHits(const TSuffixTrie& trie, const TLineList& tickets, THits& hits)
{
    CollectHits(trie, tickets, hits);
}
#endif

// Every (distinct number, ticket) pair in ticket order; the ids of the table's entries.
std::uint32_t FindHits(const TLineList& numbers, const TLineList& tickets, THits& hits,
                       std::vector<std::uint32_t>& idOfEntry)
{
    std::size_t bytes = 0;
    for (const std::string_view number : numbers)
        bytes += number.size();
    if (bytes <= kTrieBytes) {
        TSuffixTrie trie(numbers);
        CollectTrieHits(trie, tickets, hits);
        idOfEntry = trie.TakeIds();
        return static_cast<std::uint32_t>(trie.DistinctCount());
    }
    TSuffixIndex index(numbers);
    CollectHits(index, tickets, hits);
    idOfEntry = index.TakeIds();
    return static_cast<std::uint32_t>(index.DistinctCount());
}

} // namespace

TWinFinder::TWinFinder(const TLineList& numbers, const TLineList& tickets)
{
    if (numbers.empty() || tickets.empty())
        return;
    // One walk per ticket finds every distinct number it ends in; a counting sort by number
    // then groups the tickets without disturbing their order.
    THits hits;
    const std::uint32_t distinct = FindHits(numbers, tickets, hits, idOfEntry_);
    firstWin_.assign(std::size_t{distinct} + 1, 0);
    for (const THit& hit : hits)
        ++firstWin_[hit.id + 1];
    for (std::size_t id = 1; id < firstWin_.size(); ++id)
        firstWin_[id] += firstWin_[id - 1];
    // Each number's start moves along as its tickets are placed, ending at the next one's
    // start; shifting back by one restores the starts.
    winners_.resize(hits.size());
    for (const THit& hit : hits)
        winners_[firstWin_[hit.id]++] = hit.ticket;
    for (std::size_t id = firstWin_.size() - 1; id > 0; --id)
        firstWin_[id] = firstWin_[id - 1];
    firstWin_[0] = 0;
}

} // namespace kelmora
