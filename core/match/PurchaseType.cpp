#include "core/match/PurchaseType.h"

#include "core/text/NumberForm.h"

#include <array>

namespace kelmora {
namespace {

struct TPurchaseWord {
    TPurchaseType type;
    std::string_view wide; // code page 932, full-width katakana
    std::string_view half; // half-width katakana, one byte each
};

constexpr std::array<TPurchaseWord, 4> kWords{{
    {TPurchaseType::Straight, "\x83\x58\x83\x67\x83\x8C\x81\x5B\x83\x67", "\xBD\xC4\xDA\xB0\xC4"},
    {TPurchaseType::Box, "\x83\x7B\x83\x62\x83\x4E\x83\x58", "\xCE\xDE\xAF\xB8\xBD"},
    {TPurchaseType::Set, "\x83\x5A\x83\x62\x83\x67", "\xBE\xAF\xC4"},
    {TPurchaseType::Mini, "\x83\x7E\x83\x6A", "\xD0\xC6"},
}};

bool EndsInWord(std::string_view text, std::string_view word)
{
    return text.ends_with(word) && StartsCharacter(text, text.size() - word.size());
}

// Drops the blanks (space, tab, full-width space) at the end of `text`.
std::string_view DropTrailingBlanks(std::string_view text)
{
    for (;;) {
        if (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
            text.remove_suffix(1);
        else if (EndsInWord(text, "\x81\x40"))
            text.remove_suffix(2);
        else
            return text;
    }
}

} // namespace

std::optional<TPurchaseType> PurchaseTypeNamed(std::string_view value)
{
    if (value.empty())
        return TPurchaseType::None;
    for (const TPurchaseWord& word : kWords)
        if (word.wide == value)
            return word.type;
    return std::nullopt;
}

std::string_view PurchaseTypeName(TPurchaseType type)
{
    for (const TPurchaseWord& word : kWords)
        if (word.type == type)
            return word.wide;
    return {};
}

TPurchasedNumber SplitPurchaseWord(std::string_view ticket)
{
    // Most tickets end in a digit: no word ends so (each ends in ト, ス or ニ, either width).
    if (!ticket.empty() && ticket.back() >= '0' && ticket.back() <= '9')
        return {ticket, TPurchaseType::None};
    const std::string_view text = DropTrailingBlanks(ticket);
    for (const TPurchaseWord& word : kWords) {
        for (const std::string_view form : {word.wide, word.half}) {
            if (EndsInWord(text, form))
                return {DropTrailingBlanks(text.substr(0, text.size() - form.size())), word.type};
        }
    }
    return {ticket, TPurchaseType::None};
}

} // namespace kelmora
