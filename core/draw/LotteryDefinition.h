#pragma once

#include "core/base/ByteString.h"
#include "core/base/LineList.h"
#include "core/match/MatchRule.h"
#include "core/match/PurchaseType.h"
#include "core/draw/ProfileFile.h"

#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

struct TPrizeClass {
    TByteString label;                   // HitN
    TByteString numbersText;             // NoN, as read
    TByteString prize;                   // SHON
    TLineList numbers;                   // NoN split by SplitNumberList
    TMatchRule rule = TMatchRule::Bytes; // RuleN; Bytes where the file names none
    TPickRule pick = {};                 // RuleN's numbers: count K bonus B, lines K
    TByteString bonusText = {};          // BonusN, as read
    TLineList bonus = {};                // BonusN split by SplitNumberList
    TPurchaseType type = TPurchaseType::None; // TypeN: the one way of buying this class pays

    TMatchKind Kind() const { return {rule, pick}; }
    // Whether the class is checked by what a ticket picked and pays only a ticket's best class.
    bool Picks() const { return IsPickRule(rule) || type != TPurchaseType::None; }
};

namespace messages {
// %s is the limit.
inline constexpr std::string_view kTooManyClasses = "等級が多すぎて読み込めません (%s 等級まで)";
} // namespace messages

struct TLotteryDefinition {
    // Real draws have tens of classes; the limit keeps a draw's memory and the time to read it
    // small, and a draw past it is refused before anything is built.
    static constexpr long kMaxClasses = 10000;

    TByteString eventName;
    std::vector<TPrizeClass> classes;
};

// The entries a definition is read from ([Ver] No and EVENT, [Hit] Hit n, No n, SHO n, Rule n,
// Bonus n, Type n
// for n from 1 to `classCount`), by section and name in ASCII lower case.
// Throws for a RuleN this program does not know and for more than kMaxClasses classes.
bool IsDefinitionKey(std::string_view section, std::string_view name, long classCount);
// A definition file's entries, only those; `data` in code page 932. Throws kTooManyClasses at
// once for a draw that would read more than kMaxClasses classes.
TProfileFile ParseDefinitionProfile(TByteString data);
// Throws the open error, and TProfileFile::Cp932Bytes's errors for a UTF-8 file.
TProfileFile LoadDefinitionProfile(const std::string& path);

// Classes are read from 1 up to the count in [Ver] No, stopping at the first empty NoN. Throws
// for a RuleN or TypeN this program does not know: such a draw must not be checked by other rules.
TLotteryDefinition LoadDefinition(const TProfileFile& profile);
// A file that is missing or unreadable reads as an empty one, without an error; a UTF-8 one
// that has no Shift-JIS form throws, as TProfileFile::Cp932Bytes does.
TLotteryDefinition LoadDefinition(const std::string& path);

} // namespace kelmora
