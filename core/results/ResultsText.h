#pragma once
// Announced results, as the bank's CSV download, a results page pasted as text, a table,
// a list or a newspaper listing give them, read into a draw. Nothing is guessed: text whose
// winning numbers fit no known shape is refused, naming its line.

#include "core/draw/LotteryDefinition.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace kelmora {

namespace messages {
// The first %s of each is a line number of the results text, the second what that line says.
inline constexpr std::string_view kResultsRowUnknown = "%s 行目「%s」は当せん番号として読めません";
inline constexpr std::string_view kResultsNumbersWithoutClass =
    "%s 行目の当せん番号「%s」はどの等級のものかわかりません";
inline constexpr std::string_view kResultsClassWithoutNumbers = "%s 行目の等級「%s」に当せん番号がありません";
// The third %s is the class a derived row comes from (1等), the fourth its number.
inline constexpr std::string_view kResultsDerivedWithoutClass = "%s 行目「%s」のもとになる%sの当せん番号がありません";
inline constexpr std::string_view kResultsDerivedUnfit = "%s 行目「%s」は%sの当せん番号「%s」から作れません";
inline constexpr std::string_view kResultsTooLong = "%s 行目「%s」は長すぎて抽せんのファイルに書けません";
inline constexpr std::string_view kResultsNoShiftJis = "%s 行目「%s」に Shift-JIS で表せない文字があります";
inline constexpr std::string_view kResultsPrizeSchedule =
    "当せん番号がありません。等級と金額や本数だけの表は抽せんの結果ではありません";
inline constexpr std::string_view kResultsNothing = "抽せんの結果 (等級と当せん番号) が見つかりません";
} // namespace messages

struct TResultsDraw {
    // Labels, numbers and prizes in code page 932; each class's numbers joined as the draw
    // writer writes them, and its kind of match.
    TLotteryDefinition definition;
    // For each class, the line of the text (from 1) that names it.
    std::vector<std::size_t> classLines;
};

// `bytes` are UTF-8 when they are valid UTF-8 holding more than ASCII, and Shift-JIS
// otherwise. Throws TKelmoraError naming the line for what it cannot read.
TResultsDraw ReadResultsText(std::string_view bytes);

// The line a refusal of ReadResultsText names (from 1), or 0 when it names none.
std::size_t RefusedResultsLine(const class TKelmoraError& error);

} // namespace kelmora
