#include "core/WinFinder.h"

#include "core/HugePageAllocator.h"
#include "core/SuffixIndex.h"

namespace kelmora {
namespace {

struct Hit {
    std::uint32_t id;
    std::uint32_t ticket;
};
using THits = std::vector<Hit, THugePageAllocator<Hit>>;

// How many tickets ahead the index's large tables are loaded: enough to cover a memory read.
constexpr std::size_t kPrefetchDistance = 16;

void CollectHits(const TSuffixIndex& index, const TLineList& tickets, THits& hits)
{
    for (std::size_t j = 0; j < tickets.size(); ++j) {
        if (j + kPrefetchDistance < tickets.size())
            index.Prefetch(tickets[j + kPrefetchDistance]);
        index.ForEachSuffix(tickets[j], [&](std::uint32_t id) {
            hits.push_back({id, static_cast<std::uint32_t>(j)});
        });
    }
}

} // namespace

TWinFinder::TWinFinder(const TLineList& numbers, const TLineList& tickets)
{
    if (numbers.empty() || tickets.empty())
        return;
    TSuffixIndex index(numbers);

    // One walk per ticket finds every distinct number it ends in; a counting sort by number
    // then groups the tickets without disturbing their order.
    THits hits;
    CollectHits(index, tickets, hits);
    firstWin_.assign(index.DistinctCount() + 1, 0);
    idOfEntry_ = index.TakeIds();
    for (const Hit& hit : hits)
        ++firstWin_[hit.id + 1];
    for (std::size_t id = 1; id < firstWin_.size(); ++id)
        firstWin_[id] += firstWin_[id - 1];
    // Each number's start moves along as its tickets are placed, ending at the next one's
    // start; shifting back by one restores the starts.
    winners_.resize(hits.size());
    for (const Hit& hit : hits)
        winners_[firstWin_[hit.id]++] = hit.ticket;
    for (std::size_t id = firstWin_.size() - 1; id > 0; --id)
        firstWin_[id] = firstWin_[id - 1];
    firstWin_[0] = 0;
}

} // namespace kelmora
