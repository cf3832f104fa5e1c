#include "core/match/MatchRule.h"

#include <array>

namespace kelmora {
namespace {

struct TMatchRuleText {
    TMatchRule rule;
    std::string_view name;    // the Rule value in a draw file
    std::string_view caption; // what the editor and the workbook show
};

// Bytes, the rule of files without the key, has no value of its own.
constexpr std::array<TMatchRuleText, 4> kRules{{
    {TMatchRule::Bytes, "", "下のケタが一致（文字どおり）"},
    {TMatchRule::Ends, "ends", "下のケタが一致"},
    {TMatchRule::Whole, "whole", "組と番号が一致"},
    {TMatchRule::OtherGroup, "other-group", "組違い"},
}};

const TMatchRuleText& TextOf(TMatchRule rule)
{
    for (const TMatchRuleText& text : kRules)
        if (text.rule == rule)
            return text;
    return kRules.front();
}

} // namespace

std::optional<TMatchRule> MatchRuleNamed(std::string_view value)
{
    for (const TMatchRuleText& text : kRules)
        if (text.name == value)
            return text.rule;
    return std::nullopt;
}

std::string_view MatchRuleName(TMatchRule rule)
{
    return TextOf(rule).name;
}

std::string_view MatchRuleCaption(TMatchRule rule)
{
    return TextOf(rule).caption;
}

} // namespace kelmora
