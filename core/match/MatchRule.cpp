#include "core/match/MatchRule.h"

#include <array>
#include <charconv>
#include <vector>

namespace kelmora {
namespace {

struct TMatchRuleText {
    TMatchRule rule;
    std::string_view name;    // the Rule value in a draw file
    std::string_view caption; // what the editor and the workbook show
};

// Bytes, the rule of files without the key, has no value of its own.
constexpr std::array<TMatchRuleText, 7> kRules{{
    {TMatchRule::Bytes, "", "下のケタが一致（文字どおり）"},
    {TMatchRule::Ends, "ends", "下のケタが一致"},
    {TMatchRule::Whole, "whole", "組と番号が一致"},
    {TMatchRule::OtherGroup, "other-group", "組違い"},
    {TMatchRule::Count, "count", "数字の個数（ロト）"},
    {TMatchRule::Box, "box", "数字の並びは問わない（ボックス）"},
    {TMatchRule::Lines, "lines", "そろったライン数（ビンゴ5）"},
}};

const TMatchRuleText& TextOf(TMatchRule rule)
{
    for (const TMatchRuleText& text : kRules)
        if (text.rule == rule)
            return text;
    return kRules.front();
}

std::vector<std::string_view> Words(std::string_view value)
{
    std::vector<std::string_view> words;
    std::size_t p = 0;
    while (p < value.size()) {
        if (value[p] == ' ' || value[p] == '\t') {
            ++p;
            continue;
        }
        const std::size_t end = value.find_first_of(" \t", p);
        words.push_back(value.substr(p, end == std::string_view::npos ? std::string_view::npos : end - p));
        p = end == std::string_view::npos ? value.size() : end;
    }
    return words;
}

// A count of at most two digits, as a draw file writes it.
std::optional<std::uint8_t> SmallNumber(std::string_view word, unsigned least, unsigned most)
{
    unsigned n = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), n);
    if (word.empty() || word.size() > 2 || error != std::errc() || end != word.data() + word.size() || n < least ||
        n > most)
        return std::nullopt;
    return static_cast<std::uint8_t>(n);
}

} // namespace

std::optional<TMatchRule> MatchRuleNamed(std::string_view value)
{
    for (const TMatchRuleText& text : kRules)
        if (text.name == value && !IsPickRule(text.rule))
            return text.rule;
    return std::nullopt;
}

std::optional<TMatchKind> MatchKindNamed(std::string_view value)
{
    if (const auto rule = MatchRuleNamed(value))
        return TMatchKind{*rule, {}};
    if (value == "box")
        return TMatchKind{TMatchRule::Box, {}};
    const std::vector<std::string_view> words = Words(value);
    // A card has eight lines; a ticket picks at most a few dozen numbers.
    if (words.size() == 2 && words[0] == "lines") {
        if (const auto k = SmallNumber(words[1], 1, 8))
            return TMatchKind{TMatchRule::Lines, {*k, 0, false, false}};
        return std::nullopt;
    }
    if ((words.size() != 2 && words.size() != 4) || words[0] != "count")
        return std::nullopt;
    const auto k = SmallNumber(words[1], 1, 99);
    if (!k)
        return std::nullopt;
    TMatchKind kind{TMatchRule::Count, {*k, 0, false, false}};
    if (words.size() == 2)
        return kind;
    std::string_view b = words[3];
    kind.pick.withBonus = true;
    kind.pick.bonusOrMore = b.ends_with('+');
    if (kind.pick.bonusOrMore)
        b.remove_suffix(1);
    const auto bonus = SmallNumber(b, 0, 99);
    if (words[2] != "bonus" || !bonus)
        return std::nullopt;
    kind.pick.bonus = *bonus;
    return kind;
}

std::string_view MatchRuleName(TMatchRule rule)
{
    return TextOf(rule).name;
}

std::string MatchKindName(const TMatchKind& kind)
{
    std::string name(MatchRuleName(kind.rule));
    if (kind.rule != TMatchRule::Count && kind.rule != TMatchRule::Lines)
        return name;
    name += ' ' + std::to_string(kind.pick.hits);
    if (kind.rule == TMatchRule::Count && kind.pick.withBonus)
        name += " bonus " + std::to_string(kind.pick.bonus) + (kind.pick.bonusOrMore ? "+" : "");
    return name;
}

std::string_view MatchRuleCaption(TMatchRule rule)
{
    return TextOf(rule).caption;
}

} // namespace kelmora
