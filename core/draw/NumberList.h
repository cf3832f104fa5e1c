#pragma once

#include "core/base/ByteString.h"
#include "core/base/LineList.h"

#include <string_view>

namespace kelmora {

// The comma-text rule: items split at commas and blanks (bytes 1 to 32), double-quoted items
// with doubled quotes inside. `items` is cleared first.
void SplitNumberList(std::string_view text, TLineList& items);
TLineList SplitNumberList(std::string_view text);

// A list as the user typed it: the input method's commas 、 and ， outside double quotes become
// ',', the separator that files store. Files themselves are read as they are, without this.
TByteString TypedCommasAsCommas(std::string_view text);

} // namespace kelmora
