#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelmora {

// How a prize class's winning numbers are compared with the tickets. A class that names no
// rule keeps the original one: the ticket's last bytes equal the winning number, as written.
// The named rules compare numbers in their normalised form (core/NumberForm.h).
enum class TMatchRule : std::uint8_t {
    Bytes,      // no Rule key: the ticket ends in the winning number, byte for byte
    Ends,       // "ends": the ticket ends in the winning number (下nケタ, 組下1ケタ+番号)
    Whole,      // "whole": the ticket is the winning number (組 and 番号)
    OtherGroup, // "other-group": the same 番号 in another 組 (組違い賞)
    Count,      // "count K [bonus B[+]]": K of the picked numbers drawn (ロト)
    Box,        // "box": the winning number's digits in any order (ナンバーズ ボックス)
    Lines,      // "lines K": K complete lines on the card (ビンゴ5)
};

// What a count or lines kind counts: K numbers or lines, and for count, B of the bonus
// numbers (exactly, or at least with B+).
struct TPickRule {
    std::uint8_t hits = 0;
    std::uint8_t bonus = 0;
    bool withBonus = false;
    bool bonusOrMore = false;
    bool operator==(const TPickRule&) const = default;
};

// A class's kind of match as its Rule value names it.
struct TMatchKind {
    TMatchRule rule = TMatchRule::Bytes;
    TPickRule pick;
    bool operator==(const TMatchKind&) const = default;
};

// The rule a Rule value names; an empty value names none (Bytes); nothing for a value this
// program does not know.
std::optional<TMatchRule> MatchRuleNamed(std::string_view value);
// The same, with the numbers of `count K bonus B+` and `lines K`.
std::optional<TMatchKind> MatchKindNamed(std::string_view value);

// The value written for a rule; empty for Bytes, which is written as no key at all.
std::string_view MatchRuleName(TMatchRule rule);
std::string MatchKindName(const TMatchKind& kind);

// How the editor and the workbook name a rule to the user (UTF-8).
std::string_view MatchRuleCaption(TMatchRule rule);

// Whether a class of this rule is checked by what the player picked, one ticket at a time,
// and pays only the best class a ticket reaches.
inline bool IsPickRule(TMatchRule rule)
{
    return rule == TMatchRule::Count || rule == TMatchRule::Box || rule == TMatchRule::Lines;
}

} // namespace kelmora
