// The finder with kinds of match against a comparison of every pair, written from the rules:
// the same wins in the same order, whatever the numbers hold.
//
// Input: winning lines, NUL, ticket lines. Lines are separated by LF; a winning line's first
// byte chooses its class's kind (its value modulo 4: bytes, ends, whole, other-group), the rest
// is the number.

#include "core/base/LineList.h"
#include "core/match/MatchRule.h"
#include "core/match/WinFinder.h"
#include "core/text/NumberForm.h"
#include "fuzz/FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace kelmora;

namespace {

constexpr std::size_t kMaxLines = 256;
constexpr std::size_t kMaxPairs = 8192;

std::vector<std::string_view> Lines(std::string_view section)
{
    std::vector<std::string_view> lines;
    while (!section.empty() && lines.size() < kMaxLines) {
        const auto lf = section.find('\n');
        lines.push_back(section.substr(0, lf));
        section.remove_prefix(lf == std::string_view::npos ? section.size() : lf + 1);
    }
    return lines;
}

bool EndsIn(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool Wins(TMatchRule rule, std::string_view number, std::string_view ticket)
{
    if (rule == TMatchRule::Bytes)
        return EndsIn(ticket, number);
    const TByteString w = NormalisedNumber(number);
    const TByteString t = NormalisedNumber(ticket);
    switch (rule) {
    case TMatchRule::Bytes:
        break;
    case TMatchRule::Ends:
        return !w.empty() && EndsIn(t, w) && StartsCharacter(t, t.size() - w.size());
    case TMatchRule::Whole:
        return !w.empty() && t == w;
    case TMatchRule::OtherGroup: {
        // Only a 組 that is a count (digits after normalisation) names another 組.
        const std::size_t wm = FindGroupMark(w);
        const std::size_t tm = FindGroupMark(t);
        const auto isCount = [](std::string_view group) {
            return !group.empty() && group.find_first_not_of("0123456789") == std::string_view::npos;
        };
        return wm != std::string_view::npos && tm != std::string_view::npos && isCount(w.substr(0, wm)) &&
            isCount(t.substr(0, tm)) && w.substr(wm) == t.substr(tm) && w.substr(0, wm) != t.substr(0, tm);
    }
    case TMatchRule::Count:
    case TMatchRule::Box:
    case TMatchRule::Lines:
        break;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto nul = input.find('\0');
    if (nul == std::string_view::npos)
        return 0;
    const auto winningLines = Lines(input.substr(0, nul));
    auto ticketLines = Lines(input.substr(nul + 1));
    if (!winningLines.empty() && ticketLines.size() > kMaxPairs / winningLines.size())
        ticketLines.resize(kMaxPairs / winningLines.size());

    TLineList numbers;
    std::vector<TMatchRule> rules;
    for (const std::string_view line : winningLines) {
        if (line.empty())
            continue;
        rules.push_back(static_cast<TMatchRule>(static_cast<unsigned char>(line[0]) % 4));
        numbers.push_back(line.substr(1));
    }
    TLineList tickets;
    for (const std::string_view line : ticketLines) {
        tickets.push_back(line);
        // Read to its end, or with the input's bytes after it read at once.
        const auto rest = static_cast<std::size_t>(input.data() + input.size() - line.data());
        for (const std::size_t readable : {line.size(), rest})
            if (const std::size_t start = NormalFormOffset(line, readable); start != std::string_view::npos)
                FUZZ_CHECK(NormalisedNumber(line) == line.substr(start));
    }

    std::vector<std::pair<std::size_t, std::size_t>> found;
    TWinFinder(numbers, rules, tickets).ForEachWin([&](std::size_t i, std::size_t j) { found.emplace_back(i, j); });
    std::vector<std::pair<std::size_t, std::size_t>> expected;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        for (std::size_t j = 0; j < tickets.size(); ++j)
            if (Wins(rules[i], numbers[i], tickets[j]))
                expected.emplace_back(i, j);
    FUZZ_CHECK(found == expected);
    return 0;
}
