#pragma once
// One piece of an announced results text, read by its shape: a class label, a prize, winning
// numbers in one of the announced shapes, or text that holds no result. UTF-8 throughout.

#include "core/match/MatchRule.h"

#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

struct TResultCell {
    enum class Kind {
        Unknown,    // fits no shape
        Ignored,    // headers, notes, separators: no result
        Label,      // text: the tidied label; prize: from 「1等(5億円)」, or empty
        Prize,      // text: the amount as announced
        NoWinner,   // 該当なし
        Count,      // 本 and 口 counts, odds
        Numbers,    // numbers with rule; text: the width of a 下nケタ shape
        GroupOnly,  // 「22組」 in a cell of its own: text the 組
        NumberOnly, // 「124980番」 in a cell of its own: text the 番号
        Adjacent,   // 「1等の前後の番号」: text the class's label
        OtherGroup, // 「1等の組違い同番号」: text the class's label
    };
    Kind kind = Kind::Unknown;
    std::string text;
    std::string prize;
    std::vector<std::string> numbers;
    TMatchRule rule = TMatchRule::Ends;
};

// `text` with full-width digits and brackets as ASCII and blanks dropped; a blank between two
// digits becomes 、 so that 「02 50」 stays two numbers.
std::string CompactResultText(std::string_view text);

// What a compacted piece of text is.
TResultCell ClassifyResultCell(std::string_view compact);

} // namespace kelmora
