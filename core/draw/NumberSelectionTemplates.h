#pragma once
// The classes of ロト, ナンバーズ and ビンゴ5 draws, made from their results as announced, for the
// draw editor. Numbers go in as the lottery announces them; everything else the rules fix.

#include "core/base/ByteString.h"
#include "core/draw/DrawDraft.h"

#include <string_view>
#include <vector>

namespace kelmora {

namespace messages {
inline constexpr std::string_view kLotoNumbers =
    "本数字 %s 個と、かっこに入れたボーナス数字 %s 個を、1 から %s までの異なる数字で入力してください"
    "（例: 03 13 24 26 30 31 36 (23)(34)）";
inline constexpr std::string_view kNumbersDigits =
    "ナンバーズの当せん番号は 3 けた（ナンバーズ3）か 4 けた（ナンバーズ4）の数字で入力してください";
inline constexpr std::string_view kBingo5Cells =
    "ビンゴ5の当せん数字は、左上から右下へ、真ん中のフリーを除いた 8 個の数字（1 から 40）を入力してください";
} // namespace messages

enum class TLotoGame { Loto6, Loto7, MiniLoto };

// The number of 等 of a game: 5 (ロト6), 6 (ロト7), 4 (ミニロト).
std::size_t LotoClassCount(TLotoGame game);

// 1等 to the last 等 of a ロト from its announced result, the 本数字 then the ボーナス数字 in
// parentheses (`03 13 24 26 30 31 36 (23)(34)`, full-width forms too, or `ボーナス` before them),
// each of kind count with its bonus numbers; `prizes[k]` is the prize of 等 k+1. Throws when the
// numbers are not the game's count of distinct numbers within its range.
std::vector<TDrawDraft::Row> LotoTemplateRows(TLotoGame game, std::string_view announced,
                                              const std::vector<TByteString>& prizes);

// A ナンバーズ3 (3 digits, with ミニ) or ナンバーズ4 from its drawn number: ストレート (whole),
// ボックス (box), セット（ストレート） (whole) and セット（ボックス） (box), each paying only tickets of
// its purchase type, and for ナンバーズ3 ミニ (the last two digits). `prizes`: straight, box,
// set-straight, set-box, mini. Throws for a number of another length.
std::vector<TDrawDraft::Row> NumbersTemplateRows(std::string_view drawn, const std::vector<TByteString>& prizes);

// 1等 (8 lines) to 7等 (1 line) of a ビンゴ5 from its 8 drawn numbers in cell order. Throws
// unless there are 8 numbers from 1 to 40.
std::vector<TDrawDraft::Row> Bingo5TemplateRows(std::string_view cells, const std::vector<TByteString>& prizes);

// Whether a class compared by its last digits holds what looks like a ロト set instead: five to
// seven numbers up to 43, separated by blanks or commas. Each would pay on its own.
bool LooksLikeLotoSet(const TDrawDraft::Row& row);

} // namespace kelmora
