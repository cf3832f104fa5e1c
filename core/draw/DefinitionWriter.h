#pragma once

#include "core/base/ByteString.h"
#include "core/base/LineList.h"
#include "core/draw/LotteryDefinition.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

namespace messages {
// Refusals of a draw that would not read back as it is. The first %s of each is the row of the
// class; then the limit in bytes and the size, or the number.
inline constexpr std::string_view kEventNameBreaksLine = "クジの種類の名前に改行は使えません";
inline constexpr std::string_view kEventNameTooLong = "クジの種類の名前が %s バイトを超えています (%s バイト)";
inline constexpr std::string_view kLabelBreaksLine = "%s 行目の等級に改行は使えません";
inline constexpr std::string_view kLabelTooLong = "%s 行目の等級が %s バイトを超えています (%s バイト)";
inline constexpr std::string_view kPrizeBreaksLine = "%s 行目の賞に改行は使えません";
inline constexpr std::string_view kPrizeTooLong = "%s 行目の賞が %s バイトを超えています (%s バイト)";
inline constexpr std::string_view kNumberBreaksLine = "%s 行目の当選番号に改行は使えません";
inline constexpr std::string_view kNumberTooLong = "%s 行目の当選番号に %s バイトに収まらない番号があります";
inline constexpr std::string_view kOtherGroupWithoutGroup =
    "%s 行目の等級は組違いですが、当選番号 %s に組がありません（123組145678 のように組と番号で書いてください）";
inline constexpr std::string_view kClassWithoutNumbers =
    "%s 行目の等級に当選番号がありません。当選番号のない等級から後は読み込まれないため、保存できません";
inline constexpr std::string_view kBonusTooLong = "%s 行目の等級のボーナス数字が 255 バイトに収まりません";
inline constexpr std::string_view kPickSetTooLong =
    "%s 行目の等級の当選数字は一組で 255 バイトに収まらなければなりません";
} // namespace messages

// A definition as the file holds it, written so that LoadDefinition reads back the same name,
// labels, prizes and winning numbers.
struct TDefinitionText {
    TByteString bytes;
    // Classes (index into the definition) whose numbers did not fit in one value and were
    // written as several consecutive classes with the same label and prize.
    std::vector<std::size_t> splitClasses;
};

// One winning number as the number-list rule reads it back: quoted, quotes doubled, when it
// holds a comma, a blank or a quote, is empty, or ends in a lone lead byte.
TByteString QuoteNumber(std::string_view number);

// The numbers joined with commas, each quoted as QuoteNumber quotes it, on one line.
TByteString JoinedNumbers(const TLineList& numbers);

// The numbers joined with commas into values of at most `maxBytes` bytes each, in order.
// Throws when a single number cannot fit; `row` (from 1) names the class in the message.
std::vector<TByteString> JoinNumbers(const TLineList& numbers, std::size_t row, std::size_t maxBytes = 255);

// The file's bytes: [Ver] No and EVENT, then [Hit] with HitN, NoN and SHON per class, and RuleN
// for a class that names a kind of match, CR LF. Refuses, naming the class's row, what the
// reader would cut, merge or stop at (a class with no winning number, a value over 255 bytes,
// a line break in a value) and an other-group number without 組.
TDefinitionText FormatDefinition(const TLotteryDefinition& definition);

// Formats, then replaces the file at `path` atomically.
TDefinitionText SaveDefinition(const std::string& path, const TLotteryDefinition& definition);

} // namespace kelmora
