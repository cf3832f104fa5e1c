#pragma once

#include "core/ByteString.h"
#include "core/LineList.h"

#include <string>
#include <vector>

namespace kelmora {

class TProfileFile;

struct TPrizeClass {
    TByteString label;       // HitN
    TByteString numbersText; // NoN, as read
    TByteString prize;       // SHON
    TLineList numbers;       // NoN split by SplitNumberList
};

struct TLotteryDefinition {
    TByteString eventName;
    std::vector<TPrizeClass> classes;
};

// Classes are read from 1 up to the count in [Ver] No, stopping at the first empty NoN.
TLotteryDefinition LoadDefinition(const TProfileFile& profile);
// A file that is missing or unreadable reads as an empty one, without an error.
TLotteryDefinition LoadDefinition(const std::string& path);

} // namespace kelmora
