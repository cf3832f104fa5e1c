#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kelmora {

// How a ナンバーズ ticket was bought: the word after its number, and a class's `Type n`.
enum class TPurchaseType : std::uint8_t { None, Straight, Box, Set, Mini };

// The type a `Type n` value names (ストレート, ボックス, セット, ミニ in code page 932); None for an
// empty value; nothing for any other.
std::optional<TPurchaseType> PurchaseTypeNamed(std::string_view value);
// The value written for a type, in code page 932; empty for None.
std::string_view PurchaseTypeName(TPurchaseType type);

// A ticket's number and the purchase word after it (full- or half-width katakana, blanks
// before it optional); a ticket without such a word is all number and None.
struct TPurchasedNumber {
    std::string_view number;
    TPurchaseType type = TPurchaseType::None;
};
TPurchasedNumber SplitPurchaseWord(std::string_view ticket);

} // namespace kelmora
