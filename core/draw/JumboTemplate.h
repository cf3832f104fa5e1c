#pragma once
// The classes of a year-end style jumbo draw, made from its 1等 numbers, for the draw editor.

#include "core/base/ByteString.h"
#include "core/draw/DrawDraft.h"
#include "core/base/LineList.h"

#include <string_view>
#include <utility>
#include <vector>

namespace kelmora {

namespace messages {
// %s is the 1等 number as typed.
inline constexpr std::string_view kFirstNumberWithoutGroup =
    "1等の番号 %s に組がありません。組と番号で書いてください（例: 123組145678）";
inline constexpr std::string_view kFirstNumberNotDigits =
    "1等の番号 %s の組の後は数字だけで書いてください（例: 123組145678）";
inline constexpr std::string_view kNoFirstNumber = "1等の番号を入れてください（例: 123組145678）";
} // namespace messages

struct TJumboPrizes {
    TByteString first;      // 1等
    TByteString neighbours; // 1等の前後賞, each
    TByteString otherGroup; // 1等の組違い賞
};

// The 番号 before and after the one in `number` (組+番号, any form the check reads), in the same
// 組: the 番号's range is the numbers of its width with its leading digit (145678: 100000 to
// 199999), and wraps, so 100000's 前 is 199999 and 199999's 後 is 100000. Throws when the number
// has no 組 or its 番号 is not all digits.
std::pair<TByteString, TByteString> NeighbourNumbers(std::string_view number);

// 1等 (whole), 1等の前後賞 (whole), 1等の組違い賞 (other-group) from the 1等 numbers, then rows
// to fill for 2等 (whole), 3等 (ends: 組下1ケタ and 番号) and 4等 to 7等 (ends).
std::vector<TDrawDraft::Row> JumboTemplateRows(const TLineList& firstNumbers, const TJumboPrizes& prizes);

} // namespace kelmora
