#include "core/draw/DefinitionWriter.h"

#include "core/base/KelmoraError.h"
#include "core/draw/NumberList.h"
#include "core/draw/ProfileFile.h"
#include "core/files/SafeFileWriter.h"
#include "core/text/Cp932ToUtf8.h"
#include "core/text/NumberForm.h"

#include <algorithm>
#include <string>

namespace kelmora {
namespace {

constexpr std::size_t kMaxValue = TProfileFile::kMaxValueBytes;

bool IsBlank(unsigned char byte)
{
    return byte >= 1 && byte <= 32;
}

// The reader trims these around a value.
bool IsTrimmed(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n';
}

bool BreaksLine(std::string_view value)
{
    return value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

[[noreturn]] void Refuse(std::string_view format, std::vector<std::string> arguments)
{
    throw TKelmoraError(format, std::move(arguments));
}

// The templates for a value that breaks its line and for one that is too long; `row` is empty
// for the draw's own values.
void CheckValue(std::string_view value, std::string_view breaksLine, std::string_view tooLong,
                const std::vector<std::string>& row)
{
    std::vector<std::string> arguments = row;
    if (BreaksLine(value))
        Refuse(breaksLine, arguments);
    if (value.size() > kMaxValue) {
        arguments.push_back(std::to_string(kMaxValue));
        arguments.push_back(std::to_string(value.size()));
        Refuse(tooLong, arguments);
    }
}

// An unquoted item ending in a lead byte would take the comma after it as its trail byte.
bool EndsInLoneLeadByte(std::string_view item)
{
    std::size_t p = 0;
    while (p < item.size()) {
        if (IsLeadByte(static_cast<unsigned char>(item[p]))) {
            if (p + 1 == item.size())
                return true;
            p += 2;
        } else {
            ++p;
        }
    }
    return false;
}

// The numbers text as typed or read is kept when the reader gives back exactly these numbers.
bool KeepsText(const TPrizeClass& prizeClass)
{
    const std::string_view text = prizeClass.numbersText;
    if (text.empty() || text.size() > kMaxValue || BreaksLine(text) || IsTrimmed(text.front()))
        return false;
    const TLineList items = SplitNumberList(text);
    return std::equal(items.begin(), items.end(), prizeClass.numbers.begin(), prizeClass.numbers.end());
}

// An other-group class pays the 番号 in every 組 but the winning number's own: without a 組
// count (12組, not A組) the number would pay nothing.
void CheckOtherGroup(const TPrizeClass& prizeClass, std::size_t row)
{
    if (prizeClass.rule != TMatchRule::OtherGroup)
        return;
    for (const std::string_view number : prizeClass.numbers) {
        if (GroupCountLength(NormalisedNumber(number)) != 0)
            continue;
        std::string shown;
        AppendCp932AsUtf8(number, shown);
        Refuse(messages::kOtherGroupWithoutGroup, {std::to_string(row), shown});
    }
}

// The bonus numbers as read, or joined when they were given as a list; a count class's bonus
// numbers are one set and cannot be split.
TByteString BonusValue(const TPrizeClass& prizeClass, std::size_t row)
{
    if (!prizeClass.bonusText.empty() && prizeClass.bonusText.size() <= kMaxValue &&
        !BreaksLine(prizeClass.bonusText) && !IsTrimmed(prizeClass.bonusText.front()) &&
        SplitNumberList(prizeClass.bonusText) == prizeClass.bonus)
        return prizeClass.bonusText;
    const std::vector<TByteString> values = JoinNumbers(prizeClass.bonus, row);
    if (values.size() != 1)
        Refuse(messages::kBonusTooLong, {std::to_string(row)});
    return values.front();
}

// The reader drops blanks at the end of a line but reads a value only up to a NUL: a value
// that ends in a blank (read from before a NUL, or where the reader cut it) keeps that blank
// behind a NUL.
void AppendValue(TByteString& out, std::string_view value)
{
    out += value;
    if (!value.empty() && IsTrimmed(value.back()))
        out += '\0';
}

void AppendEntry(TByteString& out, std::string_view name, std::size_t n, std::string_view value)
{
    out += name;
    out += std::to_string(n);
    out += '=';
    AppendValue(out, value);
    out += kCrLf;
}

} // namespace

TByteString QuoteNumber(std::string_view number)
{
    const bool plain = !number.empty() &&
        std::none_of(number.begin(), number.end(),
                     [](char c) { return c == ',' || c == '"' || IsBlank(static_cast<unsigned char>(c)); }) &&
        !EndsInLoneLeadByte(number);
    if (plain)
        return TByteString(number);
    TByteString quoted = "\"";
    for (const char c : number) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

TByteString JoinedNumbers(const TLineList& numbers)
{
    TByteString joined;
    for (const std::string_view number : numbers) {
        if (!joined.empty())
            joined += ',';
        joined += QuoteNumber(number);
    }
    return joined;
}

std::vector<TByteString> JoinNumbers(const TLineList& numbers, std::size_t row, std::size_t maxBytes)
{
    std::vector<TByteString> values;
    TByteString value;
    bool started = false;
    for (const std::string_view number : numbers) {
        if (BreaksLine(number))
            Refuse(messages::kNumberBreaksLine, {std::to_string(row)});
        const TByteString item = QuoteNumber(number);
        if (item.size() > maxBytes)
            Refuse(messages::kNumberTooLong, {std::to_string(row), std::to_string(maxBytes)});
        if (started && value.size() + 1 + item.size() > maxBytes) {
            values.push_back(std::move(value));
            value.clear();
            started = false;
        }
        if (started)
            value += ',';
        value += item;
        started = true;
    }
    if (started)
        values.push_back(std::move(value));
    return values;
}

TDefinitionText FormatDefinition(const TLotteryDefinition& definition)
{
    CheckValue(definition.eventName, messages::kEventNameBreaksLine, messages::kEventNameTooLong, {});
    TDefinitionText text;
    TByteString hit;
    std::size_t written = 0;
    for (std::size_t i = 0; i < definition.classes.size(); ++i) {
        const TPrizeClass& prizeClass = definition.classes[i];
        const std::size_t row = i + 1;
        const bool keepsText = KeepsText(prizeClass);
        // A class whose numbers text is empty ends the reading of every class after it. One
        // whose text holds only separators has no number either, but the reader reads on.
        if (prizeClass.numbers.empty() && !keepsText)
            Refuse(messages::kClassWithoutNumbers, {std::to_string(row)});
        CheckValue(prizeClass.label, messages::kLabelBreaksLine, messages::kLabelTooLong, {std::to_string(row)});
        CheckValue(prizeClass.prize, messages::kPrizeBreaksLine, messages::kPrizeTooLong, {std::to_string(row)});
        CheckOtherGroup(prizeClass, row);
        const std::vector<TByteString> values =
            keepsText ? std::vector<TByteString>{prizeClass.numbersText} : JoinNumbers(prizeClass.numbers, row);
        if (values.size() > 1 && (prizeClass.rule == TMatchRule::Count || prizeClass.rule == TMatchRule::Lines))
            Refuse(messages::kPickSetTooLong, {std::to_string(row)});
        if (values.size() > 1)
            text.splitClasses.push_back(i);
        for (const TByteString& value : values) {
            ++written;
            AppendEntry(hit, "Hit", written, prizeClass.label);
            AppendEntry(hit, "No", written, value);
            AppendEntry(hit, "SHO", written, prizeClass.prize);
            // Only a class that names a rule says so: an old draw saved unchanged pays as before.
            if (prizeClass.rule != TMatchRule::Bytes)
                AppendEntry(hit, "Rule", written, MatchKindName(prizeClass.Kind()));
            if (!prizeClass.bonusText.empty() || !prizeClass.bonus.empty())
                AppendEntry(hit, "Bonus", written, BonusValue(prizeClass, row));
            if (prizeClass.type != TPurchaseType::None)
                AppendEntry(hit, "Type", written, PurchaseTypeName(prizeClass.type));
        }
    }
    text.bytes = "[Ver]\r\nNo=" + std::to_string(written) + "\r\nEVENT=";
    AppendValue(text.bytes, definition.eventName);
    text.bytes += "\r\n[Hit]\r\n";
    text.bytes += hit;
    return text;
}

TDefinitionText SaveDefinition(const std::string& path, const TLotteryDefinition& definition)
{
    TDefinitionText text = FormatDefinition(definition);
    WriteFileSafely(path, text.bytes);
    return text;
}

} // namespace kelmora
