// Classes that name a kind of match: the finder against a model of what the lottery pays, the
// rule in the draw file, and the jumbo template's neighbours.

#include "core/base/KelmoraError.h"
#include "core/check/CheckState.h"
#include "core/check/WinningCheck.h"
#include "core/draw/DefinitionWriter.h"
#include "core/draw/JumboTemplate.h"
#include "core/draw/LotteryDefinition.h"
#include "core/draw/ProfileFile.h"
#include "core/match/WinFinder.h"
#include "core/text/NumberForm.h"
#include "tests/support/RandomDigits.h"
#include "tests/support/ShiftJis.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

using namespace kelmora;
using namespace kelmora::test;

namespace {

const std::string kBan = "\x94\xD4";        // 番
const std::string kWideSpace = "\x81\x40";  // full-width space
const std::string kWideHyphen = "\x81\x7C"; // －

using TWins = std::vector<std::pair<std::size_t, std::size_t>>;

TWins WinsOf(const std::vector<std::string>& numbers, const std::vector<TMatchRule>& rules,
             const std::vector<std::string>& tickets)
{
    TLineList numberList;
    for (const auto& number : numbers)
        numberList.push_back(number);
    TLineList ticketList;
    for (const auto& ticket : tickets)
        ticketList.push_back(ticket);
    TWins wins;
    TWinFinder(numberList, rules, ticketList).ForEachWin([&](std::size_t i, std::size_t j) {
        wins.emplace_back(i, j);
    });
    return wins;
}

// A number as the lottery means it: an optional 組 (a count, or letters) and the 番号's digits.
struct TMeant {
    std::optional<int> group;
    std::string letterGroup; // used when there is no numeric group: a 組 of letters, or none
    std::string digits;

    bool HasGroup() const { return group.has_value() || !letterGroup.empty(); }
    std::string GroupKey() const { return group ? std::to_string(*group) : letterGroup; }
    // What the comparison should see, written by hand from the meaning rather than the bytes.
    std::string Canonical() const { return HasGroup() ? GroupKey() + kKumi + digits : digits; }
};

// One of the many ways a person writes the same number: zeros before the 組, full-width digits
// and letters, blanks anywhere, a trailing 番.
class TScribe {
public:
    explicit TScribe(std::mt19937& random) : random_(random) {}

    std::string Write(const TMeant& meant)
    {
        std::vector<std::string> characters;
        if (meant.group) {
            for (int zeros = Pick(0, 2); zeros > 0; --zeros)
                characters.push_back(Digit('0'));
            for (const char c : std::to_string(*meant.group))
                characters.push_back(Digit(c));
        } else {
            for (const char c : meant.letterGroup)
                characters.push_back(Pick(0, 1) ? std::string(1, c)
                                                : "\x82" + std::string(1, static_cast<char>(0x60 + (c - 'A'))));
        }
        if (meant.HasGroup())
            characters.push_back(kKumi);
        for (const char c : meant.digits)
            characters.push_back(Digit(c));
        if (Pick(0, 4) == 0)
            characters.push_back(kBan);
        std::string text;
        for (std::size_t k = 0; k <= characters.size(); ++k) {
            if (Pick(0, 5) == 0)
                text += Blank();
            if (k < characters.size())
                text += characters[k];
        }
        return text;
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    std::string Digit(char c)
    {
        return Pick(0, 2) == 0 ? "\x82" + std::string(1, static_cast<char>(0x4F + (c - '0'))) : std::string(1, c);
    }
    std::string Blank()
    {
        switch (Pick(0, 2)) {
        case 0:
            return " ";
        case 1:
            return "\t";
        default:
            return kWideSpace;
        }
    }

    std::mt19937& random_;
};

TMeant RandomMeant(std::mt19937& random, std::size_t digitCount)
{
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    TMeant meant;
    // Few distinct values, so that numbers and tickets meet often.
    for (std::size_t k = 0; k < digitCount; ++k)
        meant.digits += static_cast<char>('0' + pick(0, 1));
    switch (pick(0, 5)) {
    case 0:
        break;
    case 1:
        meant.letterGroup = pick(0, 1) ? "A" : "AB";
        break;
    default:
        meant.group = pick(0, 1) ? pick(0, 2) : pick(100, 102);
        break;
    }
    return meant;
}

bool ModelWins(TMatchRule rule, const TMeant& winning, const TMeant& ticket)
{
    const std::string w = winning.Canonical();
    const std::string t = ticket.Canonical();
    switch (rule) {
    case TMatchRule::Bytes:
        break;
    case TMatchRule::Ends:
        return !w.empty() && t.size() >= w.size() && t.compare(t.size() - w.size(), w.size(), w) == 0;
    case TMatchRule::Whole:
        return !w.empty() && t == w;
    case TMatchRule::OtherGroup:
        // Only a 組 that is a count names another 組.
        return winning.group && ticket.group && winning.digits == ticket.digits && *winning.group != *ticket.group;
    case TMatchRule::Count:
    case TMatchRule::Box:
    case TMatchRule::Lines:
        break;
    }
    return false;
}

TEST(KindsOfMatch, TheFinderPaysWhatTheModelPays)
{
    std::mt19937 random(20261208);
    TScribe scribe(random);
    const std::vector<TMatchRule> kinds{TMatchRule::Ends, TMatchRule::Whole, TMatchRule::OtherGroup};
    std::vector<std::size_t> winsOfKind(4);
    for (int round = 0; round < 40; ++round) {
        std::vector<TMeant> meantNumbers;
        std::vector<std::string> numbers;
        std::vector<TMatchRule> rules;
        for (int n = 0; n < 12; ++n) {
            meantNumbers.push_back(RandomMeant(random, 1 + random() % 4));
            numbers.push_back(scribe.Write(meantNumbers.back()));
            rules.push_back(kinds[random() % kinds.size()]);
        }
        std::vector<TMeant> meantTickets;
        std::vector<std::string> tickets;
        for (int n = 0; n < 300; ++n) {
            meantTickets.push_back(RandomMeant(random, 4));
            tickets.push_back(scribe.Write(meantTickets.back()));
            // The walk's shortcut for tickets whose normal form is a part of them must be right
            // when it says so, read to its end or with more bytes after it to read at once.
            const std::string followed = tickets.back() + "\x91\x67 12";
            const std::string_view ticket(followed.data(), tickets.back().size());
            for (const std::size_t readable : {ticket.size(), followed.size()}) {
                if (const std::size_t start = NormalFormOffset(ticket, readable); start != std::string_view::npos) {
                    ASSERT_EQ(NormalisedNumber(ticket), ticket.substr(start));
                }
            }
        }
        TWins expected;
        for (std::size_t i = 0; i < numbers.size(); ++i)
            for (std::size_t j = 0; j < tickets.size(); ++j)
                if (ModelWins(rules[i], meantNumbers[i], meantTickets[j])) {
                    expected.emplace_back(i, j);
                    ++winsOfKind[static_cast<std::size_t>(rules[i])];
                }
        ASSERT_EQ(WinsOf(numbers, rules, tickets), expected) << "round " << round;
    }
    // The data meets every kind often enough to tell.
    for (const TMatchRule kind : kinds)
        EXPECT_GT(winsOfKind[static_cast<std::size_t>(kind)], 50U) << static_cast<int>(kind);
}

TEST(KindsOfMatch, ALargeDrawFindsWhatItsBytesSayForPlainDigits)
{
    // Past the trie's size the hash index walks: for ASCII digits, ends is the bytes' rule and
    // whole is equality.
    std::mt19937 random(17);
    std::vector<std::string> numbers;
    for (int n = 0; n < 3000; ++n)
        numbers.push_back(RandomDigits(random, 2 + random() % 6));
    std::vector<std::string> tickets;
    for (int n = 0; n < 3000; ++n)
        tickets.push_back(n % 3 == 0 ? numbers[random() % numbers.size()] : RandomDigits(random, 7));
    const TWins byBytes = WinsOf(numbers, std::vector<TMatchRule>(numbers.size(), TMatchRule::Bytes), tickets);
    ASSERT_GT(byBytes.size(), 1000U);
    EXPECT_EQ(WinsOf(numbers, std::vector<TMatchRule>(numbers.size(), TMatchRule::Ends), tickets), byBytes);
    TWins equal;
    for (const auto& [i, j] : byBytes)
        if (numbers[i] == tickets[j])
            equal.emplace_back(i, j);
    EXPECT_EQ(WinsOf(numbers, std::vector<TMatchRule>(numbers.size(), TMatchRule::Whole), tickets), equal);
}

TEST(KindsOfMatch, TheYearEndJumboPaysOnlyWhatItPays)
{
    const std::string first = "12" + kKumi + "345678";
    const std::vector<std::string> numbers{first, first, "5" + kKumi + "123456", "5678"};
    const std::vector<TMatchRule> rules{TMatchRule::Whole, TMatchRule::OtherGroup, TMatchRule::Ends, TMatchRule::Ends};
    const std::vector<std::string> tickets{
        "112" + kKumi + "345678",                      // a three-digit 組 ending in 12: 組違い, not 1等
        "012" + kKumi + "345678",                      // 1等, written with a zero
        "\x82\x50\x82\x51" + kKumi + " 345678" + kBan, // １２組 345678番: 1等
        "15" + kKumi + "123456",                       // 組下1ケタ 5
        "105" + kKumi + "123456",                      // 組下1ケタ 5
        "6" + kKumi + "123456",                        // another 組下1ケタ
        "345678",                                      // no 組: pays neither 1等 nor 組違い; ends in 5678
        "3" + kKumi + "12" + kKumi + "345678",         // 組違い only after the first 組
        "\x81" + kKumi + "345678",                     // 81 91 is one character: no 組 at all
    };
    const TWins expected{{0, 1}, {0, 2}, {1, 0}, {2, 3}, {2, 4}, {3, 0}, {3, 1}, {3, 2}, {3, 6}, {3, 7}, {3, 8}};
    EXPECT_EQ(WinsOf(numbers, rules, tickets), expected);
    // By bytes, as every draw without the key is checked, the three-digit 組 wins the 1等.
    EXPECT_EQ(WinsOf({first}, {TMatchRule::Bytes}, {"112" + kKumi + "345678"}), (TWins{{0, 0}}));
}

TEST(KindsOfMatch, OtherGroupPaysOnlyTicketsWhoseGroupIsACount)
{
    const std::string digits = "345678";
    const struct {
        std::string ticket;
        bool wins;
    } rows[] = {
        {kKumi + digits, false},                      // no 組 count
        {"A" + kKumi + digits, false},                // a letter
        {"\x82\x60" + kKumi + digits, false},         // a full-width letter
        {kBan + kKumi + digits, false},               // 番組
        {" " + kKumi + digits, false},                // a blank, dropped
        {kWideSpace + kKumi + digits, false},         // a full-width blank, dropped
        {"1A" + kKumi + digits, false},               // a count and a letter
        {"-1" + kKumi + digits, false},               // a sign
        {"12" + kKumi + digits, false},               // the winning number's own 組
        {"0012" + kKumi + digits, false},             // the same, with zeros
        {"\x82\x50\x82\x51" + kKumi + digits, false}, // the same, full-width
        {"13" + kKumi + digits, true},
        {"112" + kKumi + digits, true},
        {"0" + kKumi + digits, true},
        {" 1 3 " + kKumi + " " + digits + kBan, true},            // blanks and 番 dropped
        {"\x82\x52" + kKumi + "\x82\x52\x82\x53" + "5678", true}, // ３組３４5678
        {"13" + kKumi + "1" + digits, false},                     // another 番号
        {"13" + kKumi + "1" + kKumi + digits, false},             // the 番号 after a second 組
    };
    std::vector<std::string> tickets;
    std::vector<std::size_t> winners;
    for (const auto& row : rows) {
        if (row.wins)
            winners.push_back(tickets.size());
        tickets.push_back(row.ticket);
    }
    TWins expected;
    for (const std::size_t j : winners)
        expected.emplace_back(0, j);
    EXPECT_EQ(WinsOf({"12" + kKumi + digits}, {TMatchRule::OtherGroup}, tickets), expected);
    // A winning number whose 組 is no count names no other 組: it pays nothing.
    for (const std::string& group : {std::string("A"), kBan, std::string()})
        EXPECT_TRUE(WinsOf({group + kKumi + digits}, {TMatchRule::OtherGroup}, tickets).empty()) << group;
}

TEST(KindsOfMatch, ManyWholeNumbersPayOnlyTheTicketEqualToEach)
{
    // 1, 11, 111, ...: every ticket of ones ends in all the shorter ones and equals just one.
    std::vector<std::string> numbers;
    for (std::size_t n = 1; n <= 255; ++n)
        numbers.push_back(std::string(n, '1'));
    const std::vector<std::string> tickets{std::string(300, '1'),
                                           std::string(40, '1') + " ",
                                           [] {
                                               std::string wide;
                                               for (int n = 0; n < 100; ++n)
                                                   wide += "\x82\x50"; // full-width 1
                                               return wide;
                                           }(),
                                           std::string(255, '1'),
                                           "2" + std::string(7, '1'),
                                           "1"};
    const TWins expected{{0, 5}, {39, 1}, {99, 2}, {254, 3}};
    EXPECT_EQ(WinsOf(numbers, std::vector<TMatchRule>(numbers.size(), TMatchRule::Whole), tickets), expected);
}

TEST(KindsOfMatch, NumbersThatNormaliseToNothingPayNothing)
{
    // "番" alone, or a 組違い number without 組, must not pay every ticket.
    EXPECT_TRUE(
        WinsOf({kBan, "345678"}, {TMatchRule::Ends, TMatchRule::OtherGroup}, {"1" + kKumi + "345678", "7"}).empty());
    // A number whose first byte could be a second byte does not match inside a character:
    // 82 60 is Ａ and normalises to A, but 83 41 (ア) must not end in "A".
    EXPECT_EQ(WinsOf({"A"}, {TMatchRule::Ends}, {"\x83\x41", "x\x82\x60"}), (TWins{{0, 1}}));
}

TEST(KindsOfMatch, ByteClassesBesideRuleClassesKeepTheirBytesAndTheReportItsOrder)
{
    TCheckState state;
    TLotteryDefinition definition;
    definition.eventName = "draw";
    TPrizeClass whole;
    whole.label = "W";
    whole.numbersText = "1" + kKumi + "0001";
    whole.numbers.push_back(whole.numbersText);
    whole.rule = TMatchRule::Whole;
    TPrizeClass bytes;
    bytes.label = "B";
    bytes.numbersText = "01" + kKumi + "0001";
    bytes.numbers.push_back(bytes.numbersText);
    definition.classes = {whole, bytes};
    ApplyDefinition(definition, state);
    state.ticketList.Add("\x82\x4F\x82\x50" + kKumi + "0001"); // ０１組0001: wins W, but not B by its bytes
    state.ticketList.Add("001" + kKumi + "0001");              // wins W, and B by its bytes
    state.CheckRequested = true;
    const std::size_t start = state.resultLog.Text().size();
    ASSERT_TRUE(RunRequestedCheck(state));
    const std::string won = kWinningNumber + "1" + kKumi + "0001\r\nW" + kWonBy + "\r\n";
    EXPECT_EQ(state.resultLog.Text().substr(start),
              won + "\x82\x4F\x82\x50" + kKumi + "0001\r\n\r\n\r\n" + won + "001" + kKumi + "0001\r\n\r\n\r\n" +
                  kWinningNumber + "01" + kKumi + "0001\r\nB" + kWonBy + "\r\n001" + kKumi + "0001\r\n\r\n\r\n");
    ASSERT_TRUE(state.lastResult != nullptr);
    EXPECT_EQ(state.lastResult->Total().wins, 3U);
    EXPECT_EQ(state.lastResult->Total().winningTickets, 2U);
}

TEST(NumberForm, WhatTheNormalFormKeepsAndDrops)
{
    EXPECT_EQ(NormalisedNumber("\x82\x60\x82\x79\x82\x81\x82\x9A" + kWideHyphen + "\x82\x4F\x82\x58"), "AZaz-09");
    EXPECT_EQ(NormalisedNumber("000" + kKumi + "1"), "0" + kKumi + "1");
    EXPECT_EQ(NormalisedNumber("A0" + kKumi + "01"), "A0" + kKumi + "01");
    EXPECT_EQ(NormalisedNumber("1" + kKumi + "2" + kKumi + "3"), "1" + kKumi + "2" + kKumi + "3");
    EXPECT_EQ(NormalisedNumber("12" + kBan + " "), "12");
    EXPECT_EQ(NormalisedNumber(kBan + "12"), kBan + "12");
    // 0x91 0x67 as the second byte of one character and the first of the next is no 組.
    EXPECT_EQ(FindGroupMark("\x81\x91\x67"), std::string_view::npos);
}

TEST(NumberForm, LongRunsOfOneFormNormaliseAsShortOnes)
{
    // Long numbers are taken eight characters at a time where they can be; runs of every
    // length, cut anywhere, must give what one character at a time gives.
    std::mt19937 random(28);
    for (int round = 0; round < 300; ++round) {
        std::string number;
        std::string expected;
        const int group = static_cast<int>(random() % 3);
        if (group > 0) {
            number += std::string(random() % 3, '0') + std::to_string(group) + kKumi;
            expected += std::to_string(group) + kKumi;
        }
        while (expected.size() < 60) {
            const auto form = random() % 4;
            for (auto n = random() % 20; n > 0; --n) {
                const char digit = static_cast<char>('0' + random() % 10);
                expected += digit;
                number += form == 0 ? "\x82" + std::string(1, static_cast<char>(0x4F + (digit - '0')))
                                    : std::string(1, digit);
                if (form == 3 && n % 5 == 0)
                    number += random() % 2 ? " " : kWideSpace;
            }
        }
        ASSERT_EQ(NormalisedNumber(number + "\x82"), expected + "\x82") << number; // a lone lead byte stays
        if (round % 3 == 0)
            number += kBan;
        ASSERT_EQ(NormalisedNumber(number), expected) << number;
    }
    std::string wide;
    std::string ascii;
    for (int n = 0; n < 700; ++n) {
        wide += "\x82" + std::string(1, static_cast<char>(0x4F + n % 10));
        ascii += static_cast<char>('0' + n % 10);
    }
    EXPECT_EQ(NormalisedNumber(wide + " " + wide), ascii + ascii);
}

TEST(RuleKey, IsReadWrittenAndKeptInSplitClasses)
{
    const std::string file = "[Ver]\r\nNo=3\r\nEVENT=e\r\n[Hit]\r\nHit1=a\r\nNo1=1\r\nSHO1=x\r\nRule1= whole \r\n"
                             "Hit2=b\r\nNo2=2\r\nSHO2=y\r\nHit3=c\r\nNo3=3" +
        kKumi + "4\r\nSHO3=z\r\nRule3=other-group\r\n";
    const TLotteryDefinition definition = LoadDefinition(TProfileFile::Parse(file));
    ASSERT_EQ(definition.classes.size(), 3U);
    EXPECT_EQ(definition.classes[0].rule, TMatchRule::Whole);
    EXPECT_EQ(definition.classes[1].rule, TMatchRule::Bytes);
    EXPECT_EQ(definition.classes[2].rule, TMatchRule::OtherGroup);
    const TByteString written = FormatDefinition(definition).bytes;
    EXPECT_NE(written.find("SHO1=x\r\nRule1=whole\r\nHit2=b\r\nNo2=2\r\nSHO2=y\r\nHit3="), std::string::npos)
        << written;

    TLotteryDefinition big = definition;
    big.classes.resize(1);
    for (int n = 0; n < 60; ++n)
        big.classes[0].numbers.push_back(std::to_string(100000 + n));
    big.classes[0].numbersText.clear();
    const TDefinitionText split = FormatDefinition(big);
    ASSERT_EQ(split.splitClasses.size(), 1U);
    const TLotteryDefinition back = LoadDefinition(TProfileFile::Parse(split.bytes));
    ASSERT_GT(back.classes.size(), 1U);
    for (const TPrizeClass& part : back.classes)
        EXPECT_EQ(part.rule, TMatchRule::Whole);
}

TEST(RuleKey, AnUnknownRuleMakesTheDrawUnreadable)
{
    const std::string file =
        "[Ver]\r\nNo=1\r\nEVENT=e\r\n[Hit]\r\nHit1=\x82\x50\x93\x99\r\nNo1=1\r\nSHO1=x\r\nRule1=nearby\r\n";
    try {
        LoadDefinition(TProfileFile::Parse(file));
        ADD_FAILURE() << "a draw with an unknown rule was read";
    } catch (const TKelmoraError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("１等"), std::string::npos) << message;
        EXPECT_NE(message.find("Rule1=nearby"), std::string::npos) << message;
    }
}

TEST(RuleKey, AnOtherGroupNumberWithoutGroupIsNotWritten)
{
    TLotteryDefinition definition;
    TPrizeClass prizeClass;
    prizeClass.label = "x";
    prizeClass.numbers.push_back("1" + kKumi + "2");
    prizeClass.numbers.push_back("145678");
    prizeClass.rule = TMatchRule::OtherGroup;
    definition.classes.push_back(prizeClass);
    EXPECT_THROW(FormatDefinition(definition), TKelmoraError);
    definition.classes[0].numbers = TLineList{"A" + kKumi + "145678"};
    EXPECT_THROW(FormatDefinition(definition), TKelmoraError);
    definition.classes[0].numbers = TLineList{"\x82\x50" + kKumi + "145678"};
    EXPECT_NO_THROW(FormatDefinition(definition));
}

TEST(JumboTemplate, NeighboursWrapAtBothEndsOfTheRange)
{
    using TPair = std::pair<TByteString, TByteString>;
    const std::string g = "123" + kKumi;
    EXPECT_EQ(NeighbourNumbers(g + "145678"), (TPair{g + "145677", g + "145679"}));
    EXPECT_EQ(NeighbourNumbers(g + "100000"), (TPair{g + "199999", g + "100001"}));
    EXPECT_EQ(NeighbourNumbers(g + "199999"), (TPair{g + "199998", g + "100000"}));
    EXPECT_EQ(NeighbourNumbers(g + "099999"), (TPair{g + "099998", g + "000000"}));
    EXPECT_EQ(NeighbourNumbers("07" + kKumi + "\x82\x58"), (TPair{"7" + kKumi + "8", "7" + kKumi + "0"}));
    // Without 組, without its count or without digits after it, there are no neighbours.
    for (const std::string& number : {std::string("145678"), kKumi + "145678", g, g + "14567A"})
        EXPECT_THROW(NeighbourNumbers(number), TKelmoraError) << number;
}

TEST(JumboTemplate, GivesTheClassesOfTheDrawWithTheirKinds)
{
    const auto rows = JumboTemplateRows(TLineList{"12" + kKumi + "100000", "45" + kKumi + "150000"},
                                        {"7\x89\xAD\x89\x7E",
                                         "1\x89\xAD"
                                         "5\x90\xE7\x96\x9C\x89\x7E",
                                         "10\x96\x9C\x89\x7E"});
    ASSERT_EQ(rows.size(), 9U);
    EXPECT_EQ(rows[0].numbersText, "12" + kKumi + "100000,45" + kKumi + "150000");
    EXPECT_EQ(rows[0].rule, TMatchRule::Whole);
    EXPECT_EQ(rows[1].numbersText,
              "12" + kKumi + "199999,12" + kKumi + "100001,45" + kKumi + "149999,45" + kKumi + "150001");
    EXPECT_EQ(rows[1].rule, TMatchRule::Whole);
    EXPECT_EQ(rows[2].numbersText, rows[0].numbersText);
    EXPECT_EQ(rows[2].rule, TMatchRule::OtherGroup);
    std::vector<TMatchRule> rest;
    for (std::size_t k = 3; k < rows.size(); ++k) {
        EXPECT_TRUE(rows[k].numbersText.empty());
        rest.push_back(rows[k].rule);
    }
    EXPECT_EQ(rest,
              (std::vector<TMatchRule>{TMatchRule::Whole, TMatchRule::Ends, TMatchRule::Ends, TMatchRule::Ends,
                                       TMatchRule::Ends, TMatchRule::Ends}));
}

} // namespace
