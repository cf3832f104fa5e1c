#pragma once
// ロト and ナンバーズ results as announced (本数字 and ボーナス数字, or the drawn ナンバーズ number,
// then a prize row per 等 or purchase type), read into the classes the editor's templates make.

#include "core/results/ResultsText.h"

#include <optional>
#include <string_view>
#include <vector>

namespace kelmora {

namespace messages {
// The first %s of each is a line number of the results text, the second what that line says.
inline constexpr std::string_view kResultsBeforeDrawnNumbers = "%s 行目「%s」より前に本数字か当せん番号がありません";
// The third %s is the game the numbers were read as.
inline constexpr std::string_view kResultsDrawnNumbersUnfit = "%s 行目「%s」は%sの当せん数字として読めません";
} // namespace messages

// `lines` are UTF-8. Nothing when the text holds neither 本数字 nor ナンバーズ purchase rows;
// throws TKelmoraError naming the line for what it cannot read.
std::optional<TResultsDraw> ReadNumberSelectionResults(const std::vector<std::string_view>& lines);

} // namespace kelmora
