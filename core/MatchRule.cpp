#include "core/MatchRule.h"

namespace kelmora {

std::optional<TMatchRule> MatchRuleNamed(std::string_view value)
{
    if (value.empty())
        return TMatchRule::Bytes;
    if (value == "ends")
        return TMatchRule::Ends;
    if (value == "whole")
        return TMatchRule::Whole;
    if (value == "other-group")
        return TMatchRule::OtherGroup;
    return std::nullopt;
}

std::string_view MatchRuleName(TMatchRule rule)
{
    switch (rule) {
    case TMatchRule::Bytes:
        break;
    case TMatchRule::Ends:
        return "ends";
    case TMatchRule::Whole:
        return "whole";
    case TMatchRule::OtherGroup:
        return "other-group";
    }
    return {};
}

std::string_view MatchRuleCaption(TMatchRule rule)
{
    switch (rule) {
    case TMatchRule::Bytes:
        break;
    case TMatchRule::Ends:
        return "下のケタが一致";
    case TMatchRule::Whole:
        return "組と番号が一致";
    case TMatchRule::OtherGroup:
        return "組違い";
    }
    return "下のケタが一致（文字どおり）";
}

} // namespace kelmora
