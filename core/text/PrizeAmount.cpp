#include "core/text/PrizeAmount.h"

#include "core/base/ByteString.h"
#include "core/text/FullWidth.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace kelmora {
namespace {

constexpr std::string_view kYen = "\x89\x7E";         // 円
constexpr std::string_view kYenSign = "\x5C";         // ¥ as code page 932 writes it
constexpr std::string_view kWideYenSign = "\x81\x8F"; // ￥

// The units below 万, highest first: 千, 百, 十.
constexpr std::array<std::pair<std::string_view, std::uint64_t>, 3> kSmallUnits{
    {{"\x90\xE7", 1000}, {"\x95\x53", 100}, {"\x8F\x5C", 10}}};
// The units from 万 on, highest first: 億, 万.
constexpr std::array<std::pair<std::string_view, std::uint64_t>, 2> kLargeUnits{
    {{"\x89\xAD", 100'000'000}, {"\x96\x9C", 10'000}}};

// The prize with full-width forms and the full-width comma as ASCII and blanks (space, tab,
// full-width space) dropped, walked by character so that no second byte is taken for ASCII.
std::string Simplified(std::string_view prize)
{
    std::string text;
    for (std::size_t p = 0; p < prize.size();) {
        const auto lead = static_cast<unsigned char>(prize[p]);
        if (IsLeadByte(lead) && p + 1 < prize.size()) {
            const auto trail = static_cast<unsigned char>(prize[p + 1]);
            p += 2;
            const char ascii = lead == 0x81 && trail == 0x43 ? ',' : FoldFullWidth(lead, trail);
            if (ascii == 0)
                text.append({static_cast<char>(lead), static_cast<char>(trail)});
            else if (ascii != ' ')
                text += ascii;
            continue;
        }
        ++p;
        if (lead != ' ' && lead != '\t')
            text += static_cast<char>(lead);
    }
    return text;
}

// Reads an amount from the front of a text, every step checked for overflow.
class TAmountReader {
public:
    explicit TAmountReader(std::string_view text) : text_(text) {}

    // Western digits, commas allowed between digits.
    std::optional<std::uint64_t> Digits()
    {
        if (pos_ >= text_.size() || !IsAsciiDigit(text_[pos_]))
            return std::nullopt;
        std::uint64_t value = 0;
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == ',' && pos_ + 1 < text_.size() && IsAsciiDigit(text_[pos_ + 1])) {
                ++pos_;
                continue;
            }
            if (!IsAsciiDigit(c))
                break;
            if (!Grow(value, 10, static_cast<std::uint64_t>(c - '0')))
                return Fail();
            ++pos_;
        }
        return value;
    }

    // A number below the large units: 5千, 3千5百, 1,000, 1千2; a digit before 千, 百 or 十 is
    // one digit, and digits after them stay below the last one.
    std::optional<std::uint64_t> Small()
    {
        const std::size_t start = pos_;
        std::uint64_t value = 0;
        std::uint64_t below = 0; // the last unit taken
        for (const auto& [unit, size] : kSmallUnits) {
            const std::size_t before = pos_;
            const auto digits = Digits();
            if (!Take(unit)) {
                pos_ = before;
                continue;
            }
            if (digits && (*digits == 0 || *digits > 9))
                return Fail();
            value += digits.value_or(1) * size;
            below = size;
        }
        if (const auto digits = Digits()) {
            if (below != 0 && *digits >= below)
                return Fail();
            value += *digits;
        }
        if (pos_ == start || failed_)
            return std::nullopt;
        return value;
    }

    bool Done() const { return !failed_ && pos_ == text_.size(); }

    // The whole text as an amount: 億 and 万 groups in that order, then the rest.
    std::optional<std::uint64_t> Amount()
    {
        std::uint64_t value = 0;
        bool grouped = false;
        for (const auto& [unit, size] : kLargeUnits) {
            const std::size_t before = pos_;
            const auto group = Small();
            if (!group || !Take(unit)) {
                pos_ = before;
                continue;
            }
            // Below a larger unit a group stays below 10,000: 1億20000万 is no amount.
            std::uint64_t scaled = 0;
            if ((grouped && *group >= 10'000) || __builtin_mul_overflow(*group, size, &scaled) ||
                __builtin_add_overflow(value, scaled, &value))
                return std::nullopt;
            grouped = true;
        }
        if (const auto rest = Small()) {
            if (grouped && *rest >= 10'000)
                return std::nullopt;
            if (__builtin_add_overflow(value, *rest, &value))
                return std::nullopt;
        } else if (!grouped) {
            return std::nullopt;
        }
        if (!Done())
            return std::nullopt;
        return value;
    }

private:
    bool Take(std::string_view unit)
    {
        if (text_.substr(pos_, unit.size()) != unit)
            return false;
        pos_ += unit.size();
        return true;
    }
    static bool Grow(std::uint64_t& value, std::uint64_t times, std::uint64_t plus)
    {
        return !__builtin_mul_overflow(value, times, &value) && !__builtin_add_overflow(value, plus, &value);
    }
    std::optional<std::uint64_t> Fail()
    {
        failed_ = true;
        return std::nullopt;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

} // namespace

std::optional<std::uint64_t> ParsePrizeAmount(std::string_view prize)
{
    // Most prizes are plain digits: read at once, without the reader's trials of every unit. Up
    // to 19 digits cannot overflow; longer ones take the checked way.
    if (!prize.empty() && prize.size() < 20 && std::all_of(prize.begin(), prize.end(), IsAsciiDigit)) {
        std::uint64_t value = 0;
        for (const char c : prize)
            value = value * 10 + static_cast<std::uint64_t>(c - '0');
        return value;
    }
    const std::string simplified = Simplified(prize);
    std::string_view text = simplified;
    bool yenSign = false;
    for (const std::string_view sign : {kYenSign, kWideYenSign}) {
        if (text.starts_with(sign)) {
            text.remove_prefix(sign.size());
            yenSign = true;
            break;
        }
    }
    const bool yen = text.ends_with(kYen);
    if (yen)
        text.remove_suffix(kYen.size());
    // ¥ goes with a Western amount alone.
    if (yenSign) {
        if (yen)
            return std::nullopt;
        TAmountReader reader(text);
        const auto value = reader.Digits();
        return reader.Done() ? value : std::nullopt;
    }
    return TAmountReader(text).Amount();
}

std::string FormatYen(std::uint64_t amount)
{
    const std::string digits = std::to_string(amount);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return text.append(kYen);
}

} // namespace kelmora
