#include "core/match/PickTicket.h"

#include "core/text/NumberForm.h"

#include <array>

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

// What a byte is to a line of picked numbers typed in ASCII.
enum class TPickByte : unsigned char { Other, Digit, Separator };
constexpr std::array<TPickByte, 256> kPickBytes = [] {
    std::array<TPickByte, 256> kinds{};
    for (char c = '0'; c <= '9'; ++c)
        kinds[static_cast<unsigned char>(c)] = TPickByte::Digit;
    for (const char c : {' ', '\t', ','})
        kinds[static_cast<unsigned char>(c)] = TPickByte::Separator;
    return kinds;
}();

// Calls take(n) for each number picked on the line, in order; false as ReadPickNumbers says.
template <class Take>
bool ParsePicks(std::string_view text, Take&& take)
{
    std::uint32_t digit = 0;
    std::size_t p = 0;
    while (p < text.size() && DigitAt(text, p, digit) == 0)
        p += CharacterLength(text, p);
    // Most lines are ASCII digits and blanks or commas: a byte at a time through a table, until
    // anything else, from whose number on the reading below takes over.
    std::size_t start = p;
    std::uint32_t value = 0;
    for (; p < text.size(); ++p) {
        const auto byte = static_cast<unsigned char>(text[p]);
        const TPickByte kind = kPickBytes[byte];
        if (kind == TPickByte::Digit) {
            if (p - start >= kMaxDigits)
                return false;
            value = value * 10 + (byte - '0');
        } else if (kind == TPickByte::Separator) {
            if (p > start)
                take(value);
            value = 0;
            start = p + 1;
        } else {
            break;
        }
    }
    if (p == text.size()) {
        if (p > start)
            take(value);
        return true;
    }
    p = start;
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
