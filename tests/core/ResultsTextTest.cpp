// Announced results in the layouts people paste or download become draws that pay what the
// announcement says; what fits no shape is refused with its line.

#include "core/results/ResultsText.h"

#include "core/results/NumberSelectionResults.h"

#include "core/base/KelmoraError.h"
#include "core/check/CheckResult.h"
#include "core/match/WinFinder.h"
#include "core/text/Cp932ToUtf8.h"
#include "core/text/Utf8ToCp932.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using kelmora::ReadResultsText;
using kelmora::TKelmoraError;

std::string Utf8(std::string_view cp932)
{
    std::string out;
    kelmora::AppendCp932AsUtf8(cp932, out);
    return out;
}

std::string Sjis(std::string_view utf8)
{
    return kelmora::Utf8ToCp932(utf8, "test");
}

struct TLayout {
    const char* name;
    std::string text; // UTF-8; given to the reader as Shift-JIS where `shiftJis`
    bool shiftJis;
    std::string eventName;
    // One per class: label / prize / kind / numbers as written / source line.
    std::vector<std::string> classes;
    // Ticket (UTF-8) and the labels it wins, worked out by hand from the announcement.
    std::map<std::string, std::string> wins;
};

const std::vector<TLayout> kLayouts = {
    {"JumboPageTabSeparated",
     "第1020回 全国自治宝くじ（年末ジャンボ宝くじ）\n抽せん日：2025年12月31日\n\n等級\t当せん金額\t当せん番号\t本数\n"
     "１　等\t7億円\t22組 146504番\t23本\n1等の前後賞\t1億5,000万円\t1等の前後の番号\t46本\n"
     "1等の組違い賞\t10万円\t1等の組違い同番号\t2,277本\n2等\t1,000万円\t組下1ケタ 7組 114925番\t46本\n"
     "3等\t100万円\t各組共通 194314番\t230本\n4等\t5万円\t下4ケタ 2832番\t23,000本\n"
     "5等\t3,000円\t下2ケタ 02、50、54\t(100本に3本)\n※当せん番号は各組共通\n支払期間 2026年1月6日～2027年1月5日\n",
     true,
     "第1020回 全国自治宝くじ（年末ジャンボ宝くじ）",
     {"1等/7億円/whole/22組146504/5", "1等の前後賞/1億5,000万円/whole/22組146503,22組146505/6",
      "1等の組違い賞/10万円/other-group/22組146504/7", "2等/1,000万円/ends/7組114925/8", "3等/100万円/ends/194314/9",
      "4等/5万円/ends/2832/10", "5等/3,000円/ends/02,50,54/11"},
     {{"22組146504", "1等,3等?"},
      {"22組146505", "1等の前後賞"},
      {"05組146504", "1等の組違い賞"},
      {"23組146503", ""},
      {"117組114925", "2等"},
      {"07組114925", "2等"},
      {"8組114925", ""},
      {"99組194314", "3等"},
      {"11組102832", "4等,5等?"},
      {"44組100002", "5等"},
      {"44組100020", ""}}},
    {"JumboCellsOnePerLineShiftJis",
     "等級\n\n当せん金額\n\n番号\n\n1等\n\n2億円\n\n52組\n\n199999番\n\n1等\n\n2億円\n\n42組\n\n100000番\n\n"
     "1等の前後賞\n\n5,000万円\n\n1等の前後の番号\n\n組違い賞\n\n10万円\n\n1等の組違い同番号\n\n6等\n\n3,"
     "000円\n\n下2ケタ\n\n02番\n\n50番\n",
     true,
     "",
     {"1等/2億円/whole/52組199999,42組100000/7",
      "1等の前後賞/5,000万円/whole/52組199998,52組100000,42組199999,42組100001/23",
      "組違い賞/10万円/other-group/52組199999,42組100000/29", "6等/3,000円/ends/02,50/35"},
     {{"52組100000", "1等の前後賞,組違い賞"},
      {"42組199999", "1等の前後賞,組違い賞"},
      {"52組199999", "1等"},
      {"1組199999", "組違い賞"},
      {"42組200000", ""},
      {"1組100050", "6等"}}},
    {"MiniJumboMarkdownGroupLastDigit",
     "## 第999回 年末ジャンボミニ\n| 等級 | 当せん金額 | 当せん番号 |\n|---|---|---|\n| １等 | 1.5億円 | 組下1ケタ 3組 "
     "187654番 |\n"
     "| 1等の前後賞 | 各2,500万円 | 1等の前後の番号 |\n| 2等 | 1,000万円 | 下5ケタ 12345番 |\n| 3等 | 該当なし | "
     "該当なし |\n",
     false,
     "第999回 年末ジャンボミニ",
     {"1等/1.5億円/ends/3組187654/4", "1等の前後賞/各2,500万円/ends/3組187653,3組187655/5",
      "2等/1,000万円/ends/12345/6"},
     {{"13組187654", "1等"}, {"103組187655", "1等の前後賞"}, {"14組187654", ""}, {"3組112345", "2等"}}},
    {"RegionalBankCsvShiftJis",
     "A01\r\n第2654回,東京都宝くじ（関東・中部・東北自治宝くじ）,2025/11/04,東京都\r\n支払期間,2025/11/10～2026/11/"
     "09\r\n"
     "等級,当せん金額,組,番号\r\n1等,\"10,000,000円\",130組,173297番\r\n1等の前後賞,\"2,500,000円\",1等の前後の番号,"
     "\r\n"
     "2等,\"100,000円\",各組共通,180245番\r\n3等,\"10,000円\",組下1ケタ,4組125839番\r\n4等,\"100円\",下1ケタ,3番\r\n",
     true,
     "第2654回 東京都宝くじ（関東・中部・東北自治宝くじ）",
     {"1等/10,000,000円/whole/130組173297/5", "1等の前後賞/2,500,000円/whole/130組173296,130組173298/6",
      "2等/100,000円/ends/180245/7", "3等/10,000円/ends/4組125839/8", "4等/100円/ends/3/9"},
     {{"130組173297", "1等"},
      {"130組173298", "1等の前後賞,4等?"},
      {"1組000003", "4等"},
      {"64組125839", "3等"},
      {"01組180245", "2等"}}},
    {"PostcardPostalList",
     "令和8年用 お年玉付郵便はがき "
     "当せん番号\n【1等】(6けた)770102\n現金30万円\n【2等】(下4けた)6528\nふるさと小包など\n"
     "【3等】(下2けた)86番65番32番\nお年玉切手シート\n",
     false,
     "令和8年用 お年玉付郵便はがき 当せん番号",
     {"1等/現金30万円/ends/770102/2", "2等/ふるさと小包など/ends/6528/4", "3等/お年玉切手シート/ends/86,65,32/6"},
     {{"770102", "1等"}, {"016528", "2等"}, {"123465", "3等"}, {"770103", ""}}},
    {"NewspaperListing",
     "◇第1020回年末ジャンボ宝くじ\n▽1等賞(7億円)22組146504番\n▽1等の前後賞(1億5000万円)1等の前後の番号\n"
     "▽2等（１００万円）　73、44、84(下2ケタ)\n",
     false,
     "第1020回年末ジャンボ宝くじ",
     {"1等賞/7億円/whole/22組146504/2", "1等の前後賞/1億5000万円/whole/22組146503,22組146505/3",
      "2等/100万円/ends/73,44,84/4"},
     {{"22組146503", "1等の前後賞"}, {"22組100044", "2等"}}},
    {"Loto7PageCells",
     "ロト7 第600回\n抽せん日 2024年11月15日\n本数字\t03 13 24 26 30 31 36\nボーナス数字\t(23)(34)\n"
     "等級\t口数\t当せん金額\n1等\t該当なし\t該当なし\n2等\t5口\t7,305,600円\n3等\t120口\t380,400円\n"
     "4等\t5,400口\t9,200円\n5等\t90,000口\t1,400円\n6等\t140,000口\t1,000円\n",
     false,
     "ロト7 第600回",
     {"1等//count 7/03 13 24 26 30 31 36 (23 34)/6", "2等/7,305,600円/count 6 bonus 1/03 13 24 26 30 31 36 (23 34)/7",
      "3等/380,400円/count 6/03 13 24 26 30 31 36 (23 34)/8", "4等/9,200円/count 5/03 13 24 26 30 31 36 (23 34)/9",
      "5等/1,400円/count 4/03 13 24 26 30 31 36 (23 34)/10",
      "6等/1,000円/count 3 bonus 1+/03 13 24 26 30 31 36 (23 34)/11"},
     {{"03 13 24 26 30 31 36", "1等"},
      {"03 13 24 26 30 31 23", "2等"},
      {"03 13 24 26 30 01 02", "4等"},
      {"03 13 24 01 02 23 05", "6等"},
      {"03 13 24 01 02 04 05", ""}}},
    {"Loto6OneCellPerLineShiftJis",
     "第1950回 ロト6\n\n本数字\n\n01 05 12 23 34 41 (07)\n\n1等\n\n2口\n\n200,000,000円\n\n2等\n\n10,000,000円\n\n"
     "3等\n\n該当なし\n\n4等\n\n6,800円\n\n5等\n\n1,000円\n",
     true,
     "第1950回 ロト6",
     {"1等/200,000,000円/count 6/01 05 12 23 34 41 (07)/7", "2等/10,000,000円/count 5 bonus 1/01 05 12 23 34 41 (07)/13",
      "3等//count 5/01 05 12 23 34 41 (07)/17", "4等/6,800円/count 4/01 05 12 23 34 41 (07)/21",
      "5等/1,000円/count 3/01 05 12 23 34 41 (07)/25"},
     {{"01 05 12 23 34 41", "1等"},
      {"41,34,23,12,05,07", "2等"},
      {"01 05 12 23 07 09", "4等"},
      {"01 05 12 02 03 04", "5等"},
      {"07 08 09 10 11 13", ""}}},
    {"Numbers3Rows",
     "ナンバーズ3 第6600回\n抽せん数字 428\nストレート\t1,036口\t90,000円\nボックス\t5,010口\t15,000円\n"
     "セット（ストレート）\t1,400口\t52,500円\nセット（ボックス）\t3,900口\t7,500円\nミニ\t8,010口\t9,000円\n",
     false,
     "ナンバーズ3 第6600回",
     {"ストレート/90,000円/whole/428/3", "ボックス/15,000円/box/428/4", "セット（ストレート）/52,500円/whole/428/5",
      "セット（ボックス）/7,500円/box/428/6", "ミニ/9,000円/ends/28/7"},
     {{"428 ストレート", "ストレート"},
      {"824 ボックス", "ボックス"},
      {"428セット", "セット（ストレート）"},
      {"482ｾｯﾄ", "セット（ボックス）"},
      {"28 ミニ", "ミニ"},
      {"248 ｽﾄﾚｰﾄ", ""}}},
};

TEST(ResultsLayouts, EachLayoutBecomesTheDrawThatPaysTheAnnouncedWins)
{
    for (const TLayout& layout : kLayouts) {
        SCOPED_TRACE(layout.name);
        const auto draw = ReadResultsText(layout.shiftJis ? Sjis(layout.text) : layout.text);
        EXPECT_EQ(Utf8(draw.definition.eventName), layout.eventName);
        std::vector<std::string> classes;
        kelmora::TLineList numbers;
        std::vector<kelmora::TMatchRule> rules;
        std::vector<std::string> labelOfNumber;
        bool picks = false;
        for (std::size_t i = 0; i < draw.definition.classes.size(); ++i) {
            const auto& c = draw.definition.classes[i];
            picks = picks || c.Picks();
            const std::string kind = c.Picks() ? kelmora::MatchKindName(c.Kind()) : std::string(MatchRuleName(c.rule));
            const std::string bonus = c.bonusText.empty() ? "" : " (" + Utf8(c.bonusText) + ")";
            classes.push_back(Utf8(c.label) + "/" + Utf8(c.prize) + "/" + kind + "/" + Utf8(c.numbersText) + bonus + "/" +
                              std::to_string(draw.classLines[i]));
            for (std::string_view number : c.numbers) {
                numbers.push_back(number);
                rules.push_back(c.rule);
                labelOfNumber.push_back(Utf8(c.label));
            }
        }
        EXPECT_EQ(classes, layout.classes);

        auto tickets = std::make_shared<kelmora::TLineList>();
        std::vector<std::string> names;
        for (const auto& [ticket, labels] : layout.wins) {
            tickets->push_back(Sjis(ticket));
            names.push_back(ticket);
        }
        std::map<std::string, std::vector<std::string>> won;
        if (picks) {
            // Number-selection classes are checked ticket by ticket, as kelmora's check does.
            const kelmora::TCheckResult result(std::make_shared<const kelmora::TCheckedDraw>(draw.definition), tickets, 0);
            for (const auto& win : result.Wins())
                won[names[win.ticket]].push_back(Utf8(draw.definition.classes[result.ClassOf(win)].label));
        } else {
            kelmora::TWinFinder(numbers, rules, *tickets).ForEachWin([&](std::size_t n, std::size_t t) {
                won[names[t]].push_back(labelOfNumber[n]);
            });
        }
        for (const auto& [ticket, expected] : layout.wins) {
            std::vector<std::string> labels = won[ticket];
            std::sort(labels.begin(), labels.end());
            std::string joined;
            for (const auto& label : labels)
                joined += (joined.empty() ? "" : ",") + label;
            // A "?" marks a class the ticket must not win: it is there to catch a loose match.
            std::string wanted;
            for (std::size_t p = 0; p < expected.size();) {
                const std::size_t end = std::min(expected.find(',', p), expected.size());
                const std::string label = expected.substr(p, end - p);
                if (!label.empty() && label.back() != '?')
                    wanted += (wanted.empty() ? "" : ",") + label;
                p = end + 1;
            }
            EXPECT_EQ(joined, wanted) << ticket;
        }
    }
}

TEST(ResultsRefusals, WhatFitsNoShapeIsRefusedNamingItsLine)
{
    struct TRefusal {
        const char* name;
        std::string text;
        std::string_view format;
        std::size_t line;
    };
    namespace m = kelmora::messages;
    const std::vector<TRefusal> refusals = {
        {"PrizeSchedule", "等級\t当せん金額\t本数\n1等\t7億円\t23本\n2等\t1,000万円\t46本\n", m::kResultsPrizeSchedule,
         0},
        {"NumberOfNoShape", "1等\t7億円\t22組 146504番\n2等\t1000万円\t22組 14650番\n", m::kResultsRowUnknown, 2},
        {"DigitsOfTheWrongWidth", "1等\t7億円\t22組 146504番\n\n3等\t1万円\t下3ケタ 3450番\n", m::kResultsRowUnknown,
         3},
        {"AdjacentWithoutTheFirstPrize", "1等の前後賞\t1億円\t1等の前後の番号\n2等\t1万円\t下2ケタ 12\n",
         m::kResultsDerivedWithoutClass, 1},
        {"OtherGroupOfAGroupLastDigitFirstPrize",
         "1等\t1億円\t組下1ケタ 3組 187654番\n組違い賞\t1万円\t1等の組違い同番号\n", m::kResultsDerivedUnfit, 2},
        {"ClassWithoutNumber", "1等\t7億円\t22組 146504番\n2等\t1000万円\n3等\t1万円\t下2ケタ 12\n",
         m::kResultsClassWithoutNumbers, 2},
        {"GroupWithoutNumber", "1等\n7億円\n22組\n2等\n1万円\n下2ケタ 12\n", m::kResultsRowUnknown, 3},
        {"ClassBeforeTheDrawnNumbers", "ロト6\n1等\t2口\t200,000,000円\n本数字 01 05 12 23 34 41 (07)\n",
         m::kResultsBeforeDrawnNumbers, 2},
        {"FiveNumbersOfALoto6", "ロト6 第1950回\n本数字 01 05 12 23 34 (07)\n1等 2億円\n", m::kResultsDrawnNumbersUnfit, 2},
        {"NothingAtAll", "\x82\xA0\xFF\x80 ,,\t|\n", m::kResultsNothing, 0},
    };
    for (const TRefusal& refusal : refusals) {
        SCOPED_TRACE(refusal.name);
        try {
            ReadResultsText(refusal.text);
            ADD_FAILURE() << "read without a refusal";
        } catch (const TKelmoraError& error) {
            EXPECT_EQ(error.Format(), refusal.format) << error.what();
            EXPECT_EQ(kelmora::RefusedResultsLine(error), refusal.line) << error.what();
        }
    }
}

} // namespace
