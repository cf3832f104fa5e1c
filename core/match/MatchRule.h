#pragma once

#include <cstdint>
#include <optional>
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
};

// The rule a Rule value names; an empty value names none (Bytes); nothing for a value this
// program does not know.
std::optional<TMatchRule> MatchRuleNamed(std::string_view value);

// The value written for a rule; empty for Bytes, which is written as no key at all.
std::string_view MatchRuleName(TMatchRule rule);

// How the editor and the workbook name a rule to the user (UTF-8).
std::string_view MatchRuleCaption(TMatchRule rule);

} // namespace kelmora
