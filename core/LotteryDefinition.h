#pragma once

#include "core/ByteString.h"
#include "core/LineList.h"
#include "core/MatchRule.h"

#include <string>
#include <vector>

namespace kelmora {

class TProfileFile;

struct TPrizeClass {
    TByteString label;                   // HitN
    TByteString numbersText;             // NoN, as read
    TByteString prize;                   // SHON
    TLineList numbers;                   // NoN split by SplitNumberList
    TMatchRule rule = TMatchRule::Bytes; // RuleN; Bytes where the file names none
};

struct TLotteryDefinition {
    TByteString eventName;
    std::vector<TPrizeClass> classes;
};

// Classes are read from 1 up to the count in [Ver] No, stopping at the first empty NoN. Throws
// for a RuleN this program does not know: such a draw must not be checked by other rules.
TLotteryDefinition LoadDefinition(const TProfileFile& profile);
// A file that is missing or unreadable reads as an empty one, without an error; a UTF-8 one
// that has no Shift-JIS form throws, as TProfileFile::ParseFile does.
TLotteryDefinition LoadDefinition(const std::string& path);

} // namespace kelmora
