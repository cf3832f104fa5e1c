#include "core/PrizeAmount.h"

namespace kelmora {
namespace {

constexpr std::string_view kYen = "\x89\x7E"; // 円
constexpr std::string_view kMan = "\x96\x9C"; // 万
constexpr std::string_view kOku = "\x89\xAD"; // 億

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<std::uint64_t> ParsePrizeAmount(std::string_view prize)
{
    std::uint64_t multiple = 1;
    if (prize.ends_with(kYen)) {
        prize.remove_suffix(kYen.size());
        if (prize.ends_with(kMan)) {
            prize.remove_suffix(kMan.size());
            multiple = 10'000;
        } else if (prize.ends_with(kOku)) {
            prize.remove_suffix(kOku.size());
            multiple = 100'000'000;
        }
    }
    if (prize.empty() || !IsDigit(prize.front()) || !IsDigit(prize.back()))
        return std::nullopt;
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < prize.size(); ++i) {
        const char c = prize[i];
        if (c == ',') {
            if (!IsDigit(prize[i + 1])) // two commas in a row; the last byte is a digit
                return std::nullopt;
            continue;
        }
        if (!IsDigit(c))
            return std::nullopt;
        if (__builtin_mul_overflow(value, 10U, &value) ||
            __builtin_add_overflow(value, static_cast<unsigned>(c - '0'), &value))
            return std::nullopt;
    }
    if (__builtin_mul_overflow(value, multiple, &value))
        return std::nullopt;
    return value;
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
