// ロト, ナンバーズ and ビンゴ5 classes against tickets typed as people type them; every expected
// win worked out by hand from the lotteries' published conditions.
#include "core/base/KelmoraError.h"
#include "core/check/CheckResult.h"
#include "core/draw/DefinitionWriter.h"
#include "core/draw/LotteryDefinition.h"
#include "core/draw/NumberSelectionTemplates.h"
#include "core/draw/ProfileFile.h"
#include "core/match/PickTicket.h"
#include "core/text/Utf8ToCp932.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace kelmora;

namespace {

struct TClassText {
    std::string label;
    std::string numbers;
    std::string rule;
    std::string bonus = {};
    std::string type = {};
};

std::string DrawText(const std::vector<TClassText>& classes)
{
    std::string text = "[Ver]\r\nNo=" + std::to_string(classes.size()) + "\r\nEVENT=e\r\n[Hit]\r\n";
    for (std::size_t c = 0; c < classes.size(); ++c) {
        const std::string n = std::to_string(c + 1);
        const TClassText& k = classes[c];
        text += "Hit" + n + "=" + k.label + "\r\nNo" + n + "=" + k.numbers + "\r\nSHO" + n + "=1円\r\nRule" + n + "=" +
            k.rule + "\r\n";
        if (!k.bonus.empty())
            text += "Bonus" + n + "=" + k.bonus + "\r\n";
        if (!k.type.empty())
            text += "Type" + n + "=" + k.type + "\r\n";
    }
    return Utf8ToCp932(text, "draw");
}

TLotteryDefinition Read(const std::vector<TClassText>& classes)
{
    return LoadDefinition(TProfileFile::Parse(DrawText(classes)));
}

using TWins = std::vector<std::pair<std::string, std::size_t>>; // class label (UTF-8), ticket

struct TCase {
    const char* name;
    std::vector<TClassText> classes;
    std::vector<std::string> tickets;
    TWins wins;
    std::size_t untyped = 0;
};

std::vector<TClassText> Loto(const std::vector<std::string>& rules, const std::string& drawn, const std::string& bonus)
{
    std::vector<TClassText> classes;
    for (std::size_t k = 0; k < rules.size(); ++k)
        classes.push_back({std::to_string(k + 1) + "等", drawn, rules[k], bonus});
    return classes;
}

std::vector<TClassText> Bingo5()
{
    std::vector<TClassText> classes;
    const int lines[] = {8, 6, 5, 4, 3, 2, 1};
    for (int k = 0; k < 7; ++k)
        classes.push_back(
            {std::to_string(k + 1) + "等", "03 08 12 19 24 27 33 38", "lines " + std::to_string(lines[k])});
    return classes;
}

const std::vector<TCase> kCases{
    {"loto6",
     Loto({"count 6", "count 5 bonus 1", "count 5", "count 4", "count 3"}, "01 05 12 23 34 41", "07"),
     {"01 05 12 23 34 41", "41,34,23,12,05,07", "１ ５ １２ ２３ ３４ ４３", "A 01 05 12 23 40 42", "01 01 05 12 30 31",
      "02 03 04 06 08 41", "01、05、12、07、30、31"},
     {{"1等", 0}, {"2等", 1}, {"3等", 2}, {"4等", 3}, {"5等", 4}, {"5等", 6}}},
    {"loto7",
     Loto({"count 7", "count 6 bonus 1", "count 6", "count 5", "count 4", "count 3 bonus 1+"}, "07,10,12,17,23,28,34",
          "03,15"),
     {"07 10 12 03 15 01 02", "07 10 12 03 01 02 04", "07 10 12 01 02 04 05", "07 10 12 17 23 28 15",
      "34 28 23 17 12 10 07", "07 10 12 17 23 03 15"},
     {{"1等", 4}, {"2等", 3}, {"4等", 5}, {"6等", 0}, {"6等", 1}}},
    {"miniloto",
     Loto({"count 5", "count 4 bonus 1", "count 4", "count 3"}, "03 08 14 22 30", "11"),
     {"03 08 14 22 11", "03 08 14 22 31", "30 22 14 01 02", "03 08 14 22 30"},
     {{"1等", 3}, {"2等", 0}, {"3等", 1}, {"4等", 2}}},
    {"numbers3",
     {{"ストレート", "428", "whole", "", "ストレート"},
      {"ボックス", "428", "box", "", "ボックス"},
      {"セット（ストレート）", "428", "whole", "", "セット"},
      {"セット（ボックス）", "428", "box", "", "セット"},
      {"ミニ", "28", "ends", "", "ミニ"}},
     {"428 ストレート", "824 ボックス", "428セット", "482ｾｯﾄ", "28 ミニ", "428", "４２８　ﾎﾞｯｸｽ", "442 ボックス",
      "248 ｽﾄﾚｰﾄ"},
     {{"ストレート", 0},
      {"ボックス", 1},
      {"ボックス", 6},
      {"セット（ストレート）", 2},
      {"セット（ボックス）", 3},
      {"ミニ", 4}},
     1},
    {"bingo5",
     Bingo5(),
     {"03 08 12 19 24 27 33 38", "03 09 12 19 24 27 33 38", "01 08 12 19 24 27 33 38", "03 08 12 20 25 28 34 39",
      "03 08 12 19 25 27 34 39", "01 06 11 16 21 26 31 36", "03 08 12 19 24 27 33"},
     {{"1等", 0}, {"2等", 1}, {"3等", 2}, {"5等", 4}, {"7等", 3}}},
};

} // namespace

TEST(NumberSelection, EachTicketIsPaidByTheBestClassItReaches)
{
    for (const TCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const TLotteryDefinition definition = Read(c.classes);
        auto tickets = std::make_shared<TLineList>();
        for (const std::string& ticket : c.tickets)
            tickets->push_back(Utf8ToCp932(ticket, "tickets"));
        const TCheckResult result(std::make_shared<const TCheckedDraw>(definition), tickets, 0);
        TWins wins;
        for (const TCheckWin& win : result.Wins()) {
            const TPrizeClass& prizeClass = definition.classes[result.ClassOf(win)];
            wins.emplace_back(c.classes[result.ClassOf(win)].label, win.ticket);
            // A count or lines class's win shows its numbers as written.
            if (prizeClass.rule == TMatchRule::Count || prizeClass.rule == TMatchRule::Lines) {
                EXPECT_EQ(result.NumberOf(win), prizeClass.numbersText);
            }
        }
        EXPECT_EQ(wins, c.wins);
        EXPECT_EQ(result.Total().untypedTickets, c.untyped);

        // What the editor writes reads back as the same kinds, bonus numbers and types.
        const TLotteryDefinition back = LoadDefinition(TProfileFile::Parse(FormatDefinition(definition).bytes));
        ASSERT_EQ(back.classes.size(), definition.classes.size());
        for (std::size_t k = 0; k < back.classes.size(); ++k) {
            EXPECT_EQ(back.classes[k].Kind(), definition.classes[k].Kind());
            EXPECT_EQ(back.classes[k].bonus, definition.classes[k].bonus);
            EXPECT_EQ(back.classes[k].type, definition.classes[k].type);
        }
    }
}

TEST(NumberSelection, AnUnknownKindOrTypeRefusesTheDrawNamingClassAndValue)
{
    for (const auto& [rule, type, named] :
         std::vector<std::tuple<std::string, std::string, std::string>>{{"count seven", "", "Rule1=count seven"},
                                                                        {"count 6 bonus", "", "Rule1=count 6 bonus"},
                                                                        {"lines 9", "", "Rule1=lines 9"},
                                                                        {"Box", "", "Rule1=Box"},
                                                                        {"whole", "ストレイト", "Type1=ストレイト"}}) {
        try {
            Read({{"1等", "428", rule, "", type}});
            ADD_FAILURE() << rule << " " << type << " was read";
        } catch (const TKelmoraError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find("1（1等）"), std::string::npos) << message;
            EXPECT_NE(message.find(named), std::string::npos) << message;
        }
    }
}

TEST(NumberSelectionTemplates, MakeTheDrawsTheTableAboveChecks)
{
    const auto sj = [](const std::string& text) { return Utf8ToCp932(text, "typed"); };
    const auto check = [&](const std::vector<TDrawDraft::Row>& rows, const std::vector<std::string>& tickets) {
        TDrawDraft draft;
        draft.AppendRows(rows);
        auto list = std::make_shared<TLineList>();
        for (const std::string& ticket : tickets)
            list->push_back(sj(ticket));
        const TCheckResult result(std::make_shared<const TCheckedDraw>(LoadDefinition(
                                      TProfileFile::Parse(FormatDefinition(draft.ToDefinition()).bytes))),
                                  list, 0);
        std::vector<std::size_t> classOfTicket(tickets.size(), 0);
        for (const TCheckWin& win : result.Wins())
            classOfTicket[win.ticket] = result.ClassOf(win) + 1;
        return classOfTicket;
    };
    const auto loto7 =
        LotoTemplateRows(TLotoGame::Loto7, sj("本数字 ０７ 10 12 17 23 28 34　ボーナス数字（03）（15）"), {});
    ASSERT_EQ(loto7.size(), 6U);
    EXPECT_EQ(loto7[0].numbersText, "07 10 12 17 23 28 34");
    EXPECT_EQ(loto7[5].bonusText, "03 15");
    EXPECT_EQ(check(loto7, {"07 10 12 17 23 28 15", "A 01 02 12 17 23 03 36", "12 17 23 30 31 32 33"}),
              (std::vector<std::size_t>{2, 6, 0}));
    EXPECT_EQ(check(LotoTemplateRows(TLotoGame::Loto6, "01 05 12 23 34 41 (07)", {}), {"41,34,23,12,05,07"}),
              (std::vector<std::size_t>{2}));
    EXPECT_EQ(LotoTemplateRows(TLotoGame::MiniLoto, "03 08 14 22 30 (11)", {}).size(), 4U);
    for (const char* wrong : {"07 10 12 17 23 28 (03)(15)", "07 10 12 17 23 28 38 (03)(15)",
                              "07 07 12 17 23 28 34 (03)(15)", "07 10 12 17 23 28 34 (03)"})
        EXPECT_THROW(LotoTemplateRows(TLotoGame::Loto7, wrong, {}), TKelmoraError) << wrong;

    const auto numbers3 = NumbersTemplateRows(sj("４２８"), {});
    ASSERT_EQ(numbers3.size(), 5U);
    EXPECT_EQ(numbers3[4].numbersText, "28");
    EXPECT_EQ(check(numbers3, {"428 ストレート", "824 ボックス", "428セット", "482ｾｯﾄ", "28 ミニ", "428"}),
              (std::vector<std::size_t>{1, 2, 3, 4, 5, 0}));
    EXPECT_EQ(NumbersTemplateRows("1234", {}).size(), 4U);
    EXPECT_THROW(NumbersTemplateRows("12", {}), TKelmoraError);

    EXPECT_EQ(check(Bingo5TemplateRows("03 08 12 19 24 27 33 38", {}), {"03 09 12 20 24 27 33 38"}),
              (std::vector<std::size_t>{4}));
    EXPECT_THROW(Bingo5TemplateRows("03 08 12 19 24 27 33", {}), TKelmoraError);

    TDrawDraft::Row row;
    for (const auto& [numbers, rule, looks] : std::vector<std::tuple<std::string, TMatchRule, bool>>{
             {"01 05 12 23 34 41", TMatchRule::Ends, true},
             {"1,5,12,23,43", TMatchRule::Ends, true},
             {"01 05 12 23 34 41", TMatchRule::Count, false},
             {"01 05 12 23 34 44", TMatchRule::Ends, false},
             {"01 05 12 23", TMatchRule::Ends, false},
             {"145678 245678 345678 445678 545678", TMatchRule::Ends, false}}) {
        row.numbersText = numbers;
        row.rule = rule;
        EXPECT_EQ(LooksLikeLotoSet(row), looks) << numbers;
    }
}

// Picked numbers read as the rule says, over random lines of digits, blanks, commas, letters,
// full-width digits and 、: a label before the first digit, then numbers of at most nine digits
// between separators; anything else ends the reading, false, with the numbers read up to it.
TEST(PickNumbers, ReadAsTheRuleSays)
{
    const std::vector<std::string> pieces = {"0", "1", "7", "9", " ", ",", "\t", "A", "\x82\x54", "\x81\x41", "12"};
    const auto byRule = [](const std::string& line, std::vector<std::uint32_t>& numbers) {
        // Full-width digits as ASCII and 、 as a comma; then a plain reading of the rule.
        std::string text;
        for (std::size_t p = 0; p < line.size(); ++p) {
            if (line.compare(p, 2, "\x82\x54") == 0 || line.compare(p, 2, "\x81\x41") == 0) {
                text += line[p] == '\x82' ? '5' : ',';
                ++p;
            } else {
                text += line[p];
            }
        }
        std::size_t p = text.find_first_of("0123456789");
        while (p != std::string::npos && p < text.size()) {
            p = text.find_first_not_of(" \t,", p);
            if (p == std::string::npos)
                break;
            const std::size_t end = std::min(text.find_first_not_of("0123456789", p), text.size());
            if (end == p || end - p > 9)
                return false;
            numbers.push_back(static_cast<std::uint32_t>(std::stoul(text.substr(p, end - p))));
            if (end < text.size() && std::string(" \t,").find(text[end]) == std::string::npos)
                return false;
            p = end;
        }
        return true;
    };
    std::mt19937 random(1211);
    for (int round = 0; round < 20000; ++round) {
        std::string line;
        for (std::size_t n = random() % 12; n > 0; --n)
            line += pieces[random() % pieces.size()];
        std::vector<std::uint32_t> read;
        std::vector<std::uint32_t> expected;
        const bool ok = kelmora::ReadPickNumbers(line, read);
        ASSERT_EQ(ok, byRule(line, expected)) << line;
        ASSERT_EQ(read, expected) << line;
    }
}
