#include "core/match/WinFinder.h"

#include "core/match/SuffixIndex.h"
#include "core/match/SuffixTrie.h"
#include "core/text/NumberForm.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>

namespace kelmora {
namespace {

struct THit {
    std::uint32_t id;
    std::uint32_t ticket;
};
using THits = std::vector<THit>;

constexpr std::uint32_t kNone = TNumberIds::kNone;

// Below this many bytes of winning numbers the trie (40 bytes a node, a node per byte at
// most) stays within a core's cache and walks faster than the hash tables.
constexpr std::size_t kTrieBytes = std::size_t{12} * 1024;

// How many tickets ahead the index's large tables are loaded: enough to cover a memory read.
constexpr std::size_t kPrefetchDistance = 16;

// Takes the hits of a walk over the tickets as stored.
struct TByteSink {
    static constexpr bool kNormalise = false;
    THits& hits;
    template <class Text>
    void operator()(std::uint32_t id, std::size_t ticket, const Text&) const
    {
        hits.push_back({id, static_cast<std::uint32_t>(ticket)});
    }
};

template <class Index, class Sink>
void Walk(const Index& index, const TLineList& tickets, const Sink& sink)
{
    std::string scratch;
    for (std::size_t j = 0; j < tickets.size(); ++j) {
        if (j + kPrefetchDistance < tickets.size())
            index.Prefetch(tickets[j + kPrefetchDistance]);
        const std::string_view ticket = tickets[j];
        if constexpr (!Sink::kNormalise) {
            index.ForEachSuffix(ticket, [&](std::uint32_t id) { sink(id, j, ticket); });
            continue;
        }
        // The ticket's normal form, made when the walk or a win needs it. Most tickets are in
        // normal form (12組345678) or are after their leading zeros (012組345678): only the
        // others are copied.
        std::string_view normal;
        bool made = false;
        const auto text = [&] {
            if (!made) {
                made = true;
                if (const std::size_t start = NormalFormOffset(ticket, tickets.ReadableFrom(j));
                    start != std::string_view::npos) {
                    normal = ticket.substr(start);
                } else {
                    scratch.clear();
                    AppendNormalisedNumber(ticket, scratch);
                    normal = scratch;
                }
            }
            return normal;
        };
        index.ForEachSuffixOf(ticket, text, [&](std::uint32_t id) { sink(id, j, text); });
    }
}

#if defined(__x86_64__) && defined(__GNUC__)
// Both walks count bits at every step (the trie's children, the digit tables' ranks); the
// CPU's own instruction makes that about twice as fast where it exists, and the baseline
// build cannot assume it.
template <class Index, class Sink>
__attribute__((target("popcnt"), flatten)) void WalkPopcnt(const Index& index, const TLineList& tickets,
                                                           const Sink& sink)
{
    Walk(index, tickets, sink);
}

template <class Index, class Sink>
void WalkFast(const Index& index, const TLineList& tickets, const Sink& sink)
{
    if (__builtin_cpu_supports("popcnt"))
        WalkPopcnt(index, tickets, sink);
    else
        Walk(index, tickets, sink);
}
#else
template <class Index, class Sink>
void WalkFast(const Index& index, const TLineList& tickets, const Sink& sink)
{
    Walk(index, tickets, sink);
}
#endif

// Builds the suffix index that suits the numbers, gives the ids of the numbers, lets
// `ready(distinct)` prepare, then walks the tickets into the sink it returns.
template <class Ready>
std::uint32_t FindHits(const TLineList& numbers, const TLineList& tickets, std::vector<std::uint32_t>& idOfEntry,
                       Ready&& ready)
{
    std::size_t bytes = 0;
    for (const std::string_view number : numbers)
        bytes += number.size();
    if (bytes <= kTrieBytes) {
        TSuffixTrie trie(numbers);
        idOfEntry = trie.TakeIds();
        const auto distinct = static_cast<std::uint32_t>(trie.DistinctCount());
        WalkFast(trie, tickets, ready(distinct));
        return distinct;
    }
    TSuffixIndex index(numbers);
    idOfEntry = index.TakeIds();
    const auto distinct = static_cast<std::uint32_t>(index.DistinctCount());
    WalkFast(index, tickets, ready(distinct));
    return distinct;
}

// Every (distinct number, ticket) pair in ticket order; the ids of the table's entries.
std::uint32_t FindByteHits(const TLineList& numbers, const TLineList& tickets, THits& hits,
                           std::vector<std::uint32_t>& idOfEntry)
{
    const TByteSink sink{hits};
    return FindHits(numbers, tickets, idOfEntry, [&](std::uint32_t) -> const TByteSink& { return sink; });
}

// A distinct kind of match and normalised winning number: what a ticket must be to win.
struct TTarget {
    TMatchRule rule;
    std::uint32_t id;       // the finder's id of the numbers that share this target
    std::string_view group; // other-group: the winning number's 組 count
    std::size_t keyLength;  // the bytes a ticket must end in
    bool checkBoundary;     // the key's first byte could be a character's second byte

    // Whether a ticket that ends in the key wins without looking at it again.
    bool Direct() const { return (rule == TMatchRule::Ends && !checkBoundary) || rule == TMatchRule::Bytes; }
};

// Whether the normalised ticket, which ends in the target's key, wins with it.
bool Wins(const TTarget& target, std::string_view ticket)
{
    const std::size_t at = ticket.size() - target.keyLength;
    switch (target.rule) {
    case TMatchRule::Bytes:
    case TMatchRule::Ends:
        return !target.checkBoundary || StartsCharacter(ticket, at);
    case TMatchRule::Whole:
        return at == 0;
    case TMatchRule::OtherGroup:
        // The key is 組 and the 番号: what comes before it must be the ticket's 組 count, and
        // another one than the winning number's.
        return at > 0 && GroupCountLength(ticket) == at && ticket.substr(0, at) != target.group;
    case TMatchRule::Count:
    case TMatchRule::Box:
    case TMatchRule::Lines:
        break; // checked ticket by ticket (PickDraw.h), never by suffix
    }
    return false;
}

// Takes the hits of a walk over the normalised tickets, each checked while the ticket is at
// hand, so that a pair that does not win costs nothing to keep: a key that stands for one
// target needing no further look is that target's win; a key's other targets are checked
// against the ticket.
struct TRuleSink {
    static constexpr bool kNormalise = true;
    THits& hits;
    const std::vector<TTarget>& targets;
    const std::vector<std::uint32_t>& firstTarget;  // by key id: where its targets start in byKey
    const std::vector<std::uint32_t>& targetsByKey; // target indexes, grouped by key id
    const std::vector<std::uint32_t>& direct;       // by key id: its one target's id, or kNone

    // `text()` is the normalised ticket.
    template <class Text>
    void operator()(std::uint32_t id, std::size_t ticket, const Text& text) const
    {
        if (const std::uint32_t target = direct[id]; target != kNone) {
            hits.push_back({target, static_cast<std::uint32_t>(ticket)});
            return;
        }
        for (std::uint32_t t = firstTarget[id]; t < firstTarget[id + 1]; ++t) {
            const TTarget& target = targets[targetsByKey[t]];
            if (Wins(target, text()))
                hits.push_back({target.id, static_cast<std::uint32_t>(ticket)});
        }
    }
};

// The hits of the numbers that name a rule: every distinct rule and normalised number is one
// target. The keys that a ticket must end in, or be, go into one suffix index, so that each
// ticket is normalised once and walked once, whatever the number of targets.
std::uint32_t FindRuleHits(const TLineList& numbers, const std::vector<TMatchRule>& rules, const TLineList& tickets,
                           THits& hits, std::vector<std::uint32_t>& idOfEntry, std::uint32_t nextId)
{
    TLineList normalised;
    std::vector<std::size_t> entries;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (rules[i] == TMatchRule::Bytes)
            continue;
        entries.push_back(i);
        normalised.push_back(NormalisedNumber(numbers[i]));
    }
    std::vector<TTarget> targets;
    std::map<std::pair<TMatchRule, std::string_view>, std::uint32_t> targetOf;
    TLineList keys;
    std::vector<std::uint32_t> targetOfKey;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const TMatchRule rule = rules[entries[k]];
        const std::string_view number = normalised[k];
        const auto [found, added] = targetOf.try_emplace({rule, number}, static_cast<std::uint32_t>(targets.size()));
        idOfEntry[entries[k]] = nextId + found->second;
        if (!added)
            continue;
        std::string_view key = number;
        std::string_view group;
        if (rule == TMatchRule::OtherGroup) {
            // Without a 組 count of its own the number names no other one: it matches nothing.
            const std::size_t count = GroupCountLength(number);
            key = count == 0 ? std::string_view() : number.substr(count);
            group = number.substr(0, count);
        }
        const bool checkBoundary = !key.empty() && IsTrailByte(static_cast<unsigned char>(key.front()));
        targets.push_back({rule, nextId + found->second, group, key.size(), checkBoundary});
        // An empty number would pay every ticket; a number that normalises to nothing pays none.
        if (key.empty())
            continue;
        keys.push_back(key);
        targetOfKey.push_back(static_cast<std::uint32_t>(targets.size() - 1));
    }
    const auto distinctTargets = static_cast<std::uint32_t>(targets.size());
    if (keys.empty())
        return distinctTargets;

    // Equal keys share an id: each id's targets side by side, and the one target of a key
    // that needs no check.
    std::vector<std::uint32_t> keyIdOf;
    std::vector<std::uint32_t> firstTarget;
    std::vector<std::uint32_t> targetsByKey;
    std::vector<std::uint32_t> direct;
    FindHits(keys, tickets, keyIdOf, [&](std::uint32_t distinctKeys) {
        firstTarget.assign(std::size_t{distinctKeys} + 1, 0);
        for (const std::uint32_t id : keyIdOf)
            ++firstTarget[id + 1];
        for (std::size_t id = 1; id < firstTarget.size(); ++id)
            firstTarget[id] += firstTarget[id - 1];
        targetsByKey.resize(keyIdOf.size());
        std::vector<std::uint32_t> fill(firstTarget.begin(), firstTarget.end() - 1);
        for (std::size_t k = 0; k < keyIdOf.size(); ++k)
            targetsByKey[fill[keyIdOf[k]]++] = targetOfKey[k];
        direct.assign(distinctKeys, kNone);
        for (std::uint32_t id = 0; id < distinctKeys; ++id) {
            const TTarget& only = targets[targetsByKey[firstTarget[id]]];
            if (firstTarget[id + 1] - firstTarget[id] == 1 && only.Direct())
                direct[id] = only.id;
        }
        return TRuleSink{hits, targets, firstTarget, targetsByKey, direct};
    });
    return distinctTargets;
}

// Every hit of the numbers compared by suffix, and the ids of their entries.
std::uint32_t FindSuffixHits(const TLineList& numbers, const std::vector<TMatchRule>& rules, const TLineList& tickets,
                             THits& hits, std::vector<std::uint32_t>& idOfEntry)
{
    // One walk per ticket finds every distinct number it ends in.
    const bool named = std::any_of(rules.begin(), rules.end(), [](TMatchRule r) { return r != TMatchRule::Bytes; });
    if (!named)
        return FindByteHits(numbers, tickets, hits, idOfEntry);
    // The numbers compared by their bytes keep their own walk over the tickets as stored.
    std::uint32_t distinct = 0;
    idOfEntry.assign(numbers.size(), 0);
    TLineList plain;
    std::vector<std::size_t> plainEntries;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (rules[i] == TMatchRule::Bytes) {
            plain.push_back(numbers[i]);
            plainEntries.push_back(i);
        }
    }
    if (!plain.empty()) {
        std::vector<std::uint32_t> plainIds;
        distinct = FindByteHits(plain, tickets, hits, plainIds);
        for (std::size_t k = 0; k < plainEntries.size(); ++k)
            idOfEntry[plainEntries[k]] = plainIds[k];
    }
    return distinct + FindRuleHits(numbers, rules, tickets, hits, idOfEntry, distinct);
}

// A counting sort by number groups the tickets without disturbing their order.
void GroupHits(const THits& hits, std::uint32_t distinct, std::vector<std::uint32_t>& firstWin,
               std::vector<std::uint32_t>& winners)
{
    firstWin.assign(std::size_t{distinct} + 1, 0);
    for (const THit& hit : hits)
        ++firstWin[hit.id + 1];
    for (std::size_t id = 1; id < firstWin.size(); ++id)
        firstWin[id] += firstWin[id - 1];
    // Each number's start moves along as its tickets are placed, ending at the next one's
    // start; shifting back by one restores the starts.
    winners.resize(hits.size());
    for (const THit& hit : hits)
        winners[firstWin[hit.id]++] = hit.ticket;
    for (std::size_t id = firstWin.size() - 1; id > 0; --id)
        firstWin[id] = firstWin[id - 1];
    firstWin[0] = 0;
}

} // namespace

TWinFinder::TWinFinder(const TLineList& numbers, const TLineList& tickets) : TWinFinder(numbers, {}, tickets)
{}

TWinFinder::TWinFinder(const TLineList& numbers, const std::vector<TMatchRule>& rules, const TLineList& tickets)
{
    if (numbers.empty() || tickets.empty())
        return;
    THits hits;
    const std::uint32_t distinct = FindSuffixHits(numbers, rules, tickets, hits, idOfEntry_);
    GroupHits(hits, distinct, firstWin_, winners_);
}

TWinFinder::TWinFinder(const TLineList& numbers, const std::vector<TMatchRule>& rules, const TLineList& tickets,
                       const TPickDraw& picks)
{
    if (picks.Empty()) {
        *this = TWinFinder(numbers, rules, tickets);
        return;
    }
    if (numbers.empty() || tickets.empty())
        return;
    // The entries compared by suffix are found as in any draw, the others ticket by ticket;
    // each pick entry gets an id of its own after the suffix entries' ids.
    std::vector<bool> picked(numbers.size());
    for (std::size_t k = 0; k < picks.Size(); ++k)
        picked[picks.Entry(k)] = true;
    TLineList suffixNumbers;
    std::vector<TMatchRule> suffixRules;
    std::vector<std::size_t> suffixEntries;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (picked[i])
            continue;
        suffixNumbers.push_back(numbers[i]);
        suffixRules.push_back(rules.empty() ? TMatchRule::Bytes : rules[i]);
        suffixEntries.push_back(i);
    }
    THits hits;
    std::uint32_t distinct = 0;
    idOfEntry_.assign(numbers.size(), 0);
    if (!suffixNumbers.empty()) {
        std::vector<std::uint32_t> suffixIds;
        distinct = FindSuffixHits(suffixNumbers, suffixRules, tickets, hits, suffixIds);
        for (std::size_t k = 0; k < suffixEntries.size(); ++k)
            idOfEntry_[suffixEntries[k]] = suffixIds[k];
    }
    for (std::size_t k = 0; k < picks.Size(); ++k)
        idOfEntry_[picks.Entry(k)] = distinct + static_cast<std::uint32_t>(k);
    untypedTickets_ = picks.ForEachBestWin(tickets, [&](std::size_t k, std::size_t ticket) {
        hits.push_back({distinct + static_cast<std::uint32_t>(k), static_cast<std::uint32_t>(ticket)});
    });
    GroupHits(hits, distinct + static_cast<std::uint32_t>(picks.Size()), firstWin_, winners_);
}

} // namespace kelmora
