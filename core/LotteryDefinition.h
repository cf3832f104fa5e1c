#pragma once

#include "core/ByteString.h"
#include "core/LineList.h"
#include "core/ProfileFile.h"

#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

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

// The entries a definition is read from ([Ver] No and EVENT, [Hit] Hit n, No n, SHO n, Rule n
// for n from 1 to `classCount`), by section and name in ASCII lower case.
bool IsDefinitionKey(std::string_view section, std::string_view name, long classCount);
// A definition file's entries, only those; throws the open error.
TProfileFile ParseDefinitionProfile(TByteString data);
TProfileFile LoadDefinitionProfile(const std::string& path);

// Classes are read from 1 up to the count in [Ver] No, stopping at the first empty NoN.
TLotteryDefinition LoadDefinition(const TProfileFile& profile);
// A file that is missing or unreadable reads as an empty one, without an error.
TLotteryDefinition LoadDefinition(const std::string& path);

} // namespace kelmora
