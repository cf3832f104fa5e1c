#include "core/draw/TicketRun.h"

#include "core/base/ByteString.h"
#include "core/base/KelmoraError.h"
#include "core/text/NumberForm.h"

#include <string>

namespace kelmora {
namespace {

[[noreturn]] void RefuseCount()
{
    throw TKelmoraError(messages::kRunCount, {std::to_string(kMaxRunCount)});
}

// Adds one to the digits; returns false when the carry runs out of digits.
bool Increment(TByteString& number, std::size_t digitsFrom)
{
    for (std::size_t i = number.size(); i > digitsFrom; --i) {
        char& digit = number[i - 1];
        if (digit != '9') {
            ++digit;
            return true;
        }
        digit = '0';
    }
    return false;
}

// A jumbo's 番号 is six digits after 組, from 100000 to 199999: a run past it names tickets
// that no jumbo has.
bool IsJumboNumber(std::string_view number, std::size_t digitsFrom)
{
    return number.size() - digitsFrom == 6 && number[digitsFrom] == '1' && digitsFrom >= kGroupMark.size() &&
        number.substr(digitsFrom - kGroupMark.size(), kGroupMark.size()) == kGroupMark &&
        FindGroupMark(number) == digitsFrom - kGroupMark.size();
}

} // namespace

TLineList CountUpRun(std::string_view first, long count)
{
    first = UpToNul(first);
    // Shift-JIS trail bytes start at 0x40, so a trailing ASCII digit is always a digit.
    std::size_t digitsFrom = first.size();
    while (digitsFrom > 0 && IsAsciiDigit(first[digitsFrom - 1]))
        --digitsFrom;
    if (digitsFrom == first.size())
        throw TKelmoraError("最初の番号の末尾に数字がありません");
    if (count < 1 || count > kMaxRunCount)
        RefuseCount();
    const bool jumbo = IsJumboNumber(first, digitsFrom);
    TLineList run;
    TByteString number(first);
    run.push_back(number);
    for (long i = 1; i < count; ++i) {
        if (!Increment(number, digitsFrom))
            throw TKelmoraError(messages::kRunPastDigits, {std::to_string(first.size() - digitsFrom)});
        if (jumbo && number[digitsFrom] != '1')
            throw TKelmoraError(messages::kRunPastJumboNumbers, {"100000", "199999"});
        run.push_back(number);
    }
    return run;
}

long ParseRunCount(std::string_view text)
{
    if (text.empty() || text.size() > 6)
        RefuseCount();
    long count = 0;
    for (const char c : text) {
        if (!IsAsciiDigit(c))
            RefuseCount();
        count = count * 10 + (c - '0');
    }
    if (count < 1 || count > kMaxRunCount)
        RefuseCount();
    return count;
}

} // namespace kelmora
