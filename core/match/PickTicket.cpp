#include "core/match/PickTicket.h"

#include "core/text/NumberForm.h"

namespace kelmora {
namespace {

constexpr std::size_t kMaxDigits = 9;

// The digit at `p` (ASCII or full-width) and its length in bytes; length 0 where none.
inline std::size_t DigitAt(std::string_view text, std::size_t p, std::uint32_t& digit)
{
    const auto byte = static_cast<unsigned char>(text[p]);
    if (byte >= '0' && byte <= '9') {
        digit = byte - '0';
        return 1;
    }
    if (byte == 0x82 && p + 1 < text.size()) {
        const auto next = static_cast<unsigned char>(text[p + 1]);
        if (next >= 0x4F && next <= 0x58) {
            digit = next - 0x4F;
            return 2;
        }
    }
    return 0;
}

// The length of the separator at `p`: blank, comma, 、, full-width space or comma; 0 where none.
inline std::size_t SeparatorAt(std::string_view text, std::size_t p)
{
    const char byte = text[p];
    if (byte == ' ' || byte == '\t' || byte == ',')
        return 1;
    if (byte == '\x81' && p + 1 < text.size()) {
        const char next = text[p + 1];
        if (next == '\x40' || next == '\x41' || next == '\x43')
            return 2;
    }
    return 0;
}

// Calls take(n) for each number picked on the line, in order; false as ReadPickNumbers says.
template <class Take>
bool ParsePicks(std::string_view text, Take&& take)
{
    std::uint32_t digit = 0;
    std::size_t p = 0;
    while (p < text.size() && DigitAt(text, p, digit) == 0)
        p += CharacterLength(text, p);
    while (p < text.size()) {
        if (const std::size_t length = SeparatorAt(text, p)) {
            p += length;
            continue;
        }
        std::uint32_t value = 0;
        std::size_t digits = 0;
        while (p < text.size()) {
            // Half-width digits, the common case, without the full-width test.
            const auto byte = static_cast<unsigned char>(text[p]);
            if (byte >= '0' && byte <= '9') {
                if (++digits > kMaxDigits)
                    return false;
                value = value * 10 + (byte - '0');
                ++p;
                continue;
            }
            const std::size_t length = DigitAt(text, p, digit);
            if (length == 0)
                break;
            if (++digits > kMaxDigits)
                return false;
            value = value * 10 + digit;
            p += length;
        }
        if (digits == 0)
            return false;
        take(value);
        // A number runs up to a separator: 12A is no number.
        if (p < text.size() && SeparatorAt(text, p) == 0)
            return false;
    }
    return true;
}

} // namespace

bool ReadPickNumbers(std::string_view text, std::vector<std::uint32_t>& numbers)
{
    return ParsePicks(text, [&](std::uint32_t n) { numbers.push_back(n); });
}

void TPickTicket::Read(std::string_view ticket, bool normalise)
{
    const TPurchasedNumber purchased = SplitPurchaseWord(ticket);
    type_ = purchased.type;
    number_ = purchased.number;
    normalised_.clear();
    if (normalise)
        AppendNormalisedNumber(number_, normalised_);
    inOrder_.clear();
    set_.Clear();
    // The set is built as the numbers are read: no second pass over them.
    picked_ = ParsePicks(number_,
                         [this](std::uint32_t n) {
                             inOrder_.push_back(n);
                             set_.Add(n);
                         }) &&
        !inOrder_.empty();
    if (!set_.Masked())
        set_.Assign(inOrder_);
}

} // namespace kelmora
