#include "core/check/WinningCheck.h"

#include "core/check/CheckState.h"
#include "core/check/ResultLog.h"
#include "core/match/SuffixIndex.h"
#include "core/match/SuffixTrie.h"
#include "core/draw/TicketList.h"
#include "core/match/WinFinder.h"
#include "core/check/WinningTable.h"
#include "tests/core/TestFiles.h"
#include "tests/support/RandomDigits.h"
#include "tests/support/ShiftJis.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

using namespace kelmora;
using namespace kelmora::test;

namespace {

std::string Win(const std::string& number, const std::string& label, const std::string& ticket)
{
    return kWinningNumber + number + "\r\n" + label + kWonBy + "\r\n" + ticket + "\r\n\r\n\r\n";
}

struct Check {
    TWinningTable table;
    TTicketList tickets;

    std::string Run(std::string logText = "") const
    {
        TResultLog log;
        log.SetText(std::move(logText));
        RunCheck(table, tickets, log);
        return log.Text();
    }
};

std::string RunBoth(const TWinningTable& table, const TTicketList& tickets, const std::string& start,
                    std::string* plainText)
{
    TResultLog fast;
    fast.SetText(start);
    RunCheck(table, tickets, fast);
    TResultLog plain;
    plain.SetText(start);
    RunCheckPlain(table, tickets, plain);
    *plainText = plain.Text();
    return fast.Text();
}

} // namespace

TEST(RunCheck, TheWorkedExample)
{
    Check check;
    check.table.Add("456", "First prize");
    check.table.Add("07", "Last two digits");
    check.table.Add("58", "Last two digits");
    for (const char* t : {"158", "456", "907"})
        check.tickets.Add(t);
    EXPECT_EQ(check.Run(),
              Win("456", "First prize", "456") + Win("07", "Last two digits", "907") +
                  Win("58", "Last two digits", "158"));
}

TEST(RunCheck, SuffixRules)
{
    Check check;
    check.table.Add("456", "L");
    check.tickets.Add("56");
    EXPECT_EQ(check.Run(), ""); // a winning number longer than the ticket never matches

    Check multibyte;
    multibyte.table.Add("7", "L");
    multibyte.tickets.Add("12\x91\x67"
                          "347"); // 12組347
    EXPECT_EQ(multibyte.Run(),
              Win("7", "L",
                  "12\x91\x67"
                  "347"));

    test::TempDir dir;
    test::WriteBytes(dir.File("t.wkn"), "21\r\n\r\n");
    Check empty;
    empty.table.Add("", "any");
    empty.table.Add("1", "one");
    empty.tickets.Open(dir.File("t.wkn")); // only a file gives an empty ticket number
    EXPECT_EQ(empty.Run(), Win("", "any", "21") + Win("", "any", "") + Win("1", "one", "21"));
}

TEST(RunCheck, EveryWinIsReportedGroupedByWinningNumber)
{
    Check check;
    check.table.Add("8", "last");
    check.table.Add("5678", "full");
    check.table.Add("8", "last again");
    check.tickets.Add("5678");
    check.tickets.Add("18");
    check.tickets.Add("5678");
    EXPECT_EQ(check.Run(),
              Win("8", "last", "5678") + Win("8", "last", "18") + Win("8", "last", "5678") +
                  Win("5678", "full", "5678") + Win("5678", "full", "5678") + Win("8", "last again", "5678") +
                  Win("8", "last again", "18") + Win("8", "last again", "5678"));
}

TEST(RunCheck, AppendsAfterWhatTheLogHolds)
{
    Check check;
    check.table.Add("1", "L");
    check.tickets.Add("1");
    EXPECT_EQ(check.Run("summary\r\n"), "summary\r\n" + Win("1", "L", "1"));
    // User text without a final line break: the first entry starts a new line.
    EXPECT_EQ(check.Run("typed"), "typed\r\n" + kWinningNumber + "1\r\nL" + kWonBy + "\r\n1\r\n\r\n");
}

TEST(RunCheck, TicketsLongerThan255BytesAreComparedWhole)
{
    Check check;
    const std::string longTicket = std::string(300, '1') + "99";
    check.table.Add("99", "L");
    check.table.Add(longTicket, "whole");
    check.tickets.Add(longTicket);
    EXPECT_EQ(check.Run(), Win("99", "L", longTicket) + Win(longTicket, "whole", longTicket));
}

TEST(RunCheck, NothingAppendedForEmptyTableOrList)
{
    Check noTickets;
    noTickets.table.Add("1", "L");
    EXPECT_EQ(noTickets.Run("x\r\n"), "x\r\n");
    Check noTable;
    noTable.tickets.Add("1");
    EXPECT_EQ(noTable.Run("x\r\n"), "x\r\n");
}

TEST(RunRequestedCheck, RunsOncePerRequest)
{
    TCheckState state;
    TLotteryDefinition draw;
    draw.classes.push_back({"L", "1", "", TLineList{"1"}});
    state.draw = std::make_shared<const TCheckedDraw>(draw);
    state.ticketList.Add("1");
    EXPECT_FALSE(RunRequestedCheck(state));
    state.CheckRequested = true;
    state.CheckRequested = true;
    EXPECT_TRUE(RunRequestedCheck(state));
    EXPECT_FALSE(state.CheckRequested);
    EXPECT_FALSE(RunRequestedCheck(state));
    EXPECT_EQ(state.resultLog.Text(), "\r\n" + Win("1", "L", "1"));
}

// The fast check must give the plain loop's bytes for any table and list.
TEST(RunCheck, AgreesWithThePlainLoopOnRandomData)
{
    std::mt19937 random(20261207);
    const std::string alphabet[] = {"0", "1", "2", "\x91\x67", "\x82\xA0", "\x5C", ",", "\x80", "\xFF"};
    const auto randomText = [&](int maxParts) {
        std::string text;
        const int parts = std::uniform_int_distribution<int>(0, maxParts)(random);
        for (int i = 0; i < parts; ++i)
            text += alphabet[std::uniform_int_distribution<std::size_t>(0, std::size(alphabet) - 1)(random)];
        return text;
    };
    for (int round = 0; round < 300; ++round) {
        TWinningTable table;
        TTicketList tickets;
        const int w = std::uniform_int_distribution<int>(0, 30)(random);
        const int t = std::uniform_int_distribution<int>(0, 60)(random);
        for (int i = 0; i < w; ++i)
            table.Add(randomText(round % 3 == 0 ? 2 : 5), randomText(2));
        for (int j = 0; j < t; ++j)
            if (!tickets.Add(randomText(8)))
                tickets.Add("0");
        const std::string start = round % 4 == 0 ? "typed" : "\r\n";
        std::string plain;
        const std::string fast = RunBoth(table, tickets, start, &plain);
        ASSERT_EQ(fast, plain) << "round " << round;
    }
}

// Many numbers that share their last digits, duplicates and the empty number: every suffix
// must lead on to the longer numbers that end in it, and each number get its own tickets.
TEST(RunCheck, AgreesWithThePlainLoopForManyOverlappingNumbers)
{
    std::mt19937 random(99);
    std::uniform_int_distribution<int> digit(0, 3);
    const auto digits = [&](int count) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += static_cast<char>('0' + digit(random));
        return text;
    };
    TWinningTable table;
    for (int i = 0; i < 2000; ++i)
        table.Add(digits(std::uniform_int_distribution<int>(0, 7)(random)), i % 2 ? "odd" : "even");
    TTicketList tickets;
    for (int j = 0; j < 2000; ++j)
        tickets.Add(digits(8));
    std::string plain;
    EXPECT_EQ(RunBoth(table, tickets, "\r\n", &plain), plain);
}

TEST(WinFinder, CountsAndOrder)
{
    const TLineList numbers{"56", "6", "56", "", "9"};
    const TLineList tickets{"456", "6", "56", "7"};
    const TWinFinder wins(numbers, tickets);
    std::vector<std::pair<std::size_t, std::size_t>> order;
    wins.ForEachWin([&](std::size_t i, std::size_t j) { order.emplace_back(i, j); });
    const std::vector<std::pair<std::size_t, std::size_t>> expected{{0, 0}, {0, 2}, {1, 0}, {1, 1}, {1, 2}, {2, 0},
                                                                    {2, 2}, {3, 0}, {3, 1}, {3, 2}, {3, 3}};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(wins.WinCount(0), 2u);
    EXPECT_EQ(wins.WinCount(3), 4u);
    EXPECT_EQ(wins.WinCount(4), 0u);

    const TWinFinder none(numbers, TLineList{});
    EXPECT_EQ(none.WinCount(0), 0u);
    none.ForEachWin([](std::size_t, std::size_t) { FAIL() << "a win without tickets"; });
}

namespace {

// Every (table entry, ticket) pair where the ticket ends in the entry, in report order, by
// comparing each pair.
std::vector<std::pair<std::size_t, std::size_t>> PlainWins(const TLineList& numbers, const TLineList& tickets)
{
    std::vector<std::pair<std::size_t, std::size_t>> wins;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        for (std::size_t j = 0; j < tickets.size(); ++j)
            if (tickets[j].ends_with(numbers[i]))
                wins.emplace_back(i, j);
    return wins;
}

std::vector<std::pair<std::size_t, std::size_t>> FoundWins(const TLineList& numbers, const TLineList& tickets)
{
    std::vector<std::pair<std::size_t, std::size_t>> wins;
    TWinFinder(numbers, tickets).ForEachWin([&](std::size_t i, std::size_t j) { wins.emplace_back(i, j); });
    return wins;
}

} // namespace

// Numbers on both sides of eight bytes (the hash tables' packed keys), sharing all but their
// first byte, must stay apart.
TEST(WinFinder, NumbersLongerThanEightBytes)
{
    const TLineList numbers{"12345678", "912345678", "812345678",           "0912345678",         "x0912345678",
                            "2345678",  "912345678", std::string(300, '7'), std::string(299, '7')};
    const TLineList tickets{"912345678",           "0912345678",          "812345678", "12345678",
                            "x0912345678",         "y0912345678",         "345678",    std::string(300, '7'),
                            std::string(400, '7'), std::string(299, '7'), "9"};
    EXPECT_EQ(FoundWins(numbers, tickets), PlainWins(numbers, tickets));
    const TWinFinder wins(numbers, tickets);
    EXPECT_EQ(wins.WinCount(1), 4u); // 912345678: itself, 0912..., x0912..., y0912...
    EXPECT_EQ(wins.WinCount(4), 1u);
    EXPECT_EQ(wins.WinCount(7), 2u);
    EXPECT_EQ(wins.WinCount(8), 3u);
}

// Zero bytes (the padding of a short ticket's key) and 0xFF bytes filling a whole key (the
// empty slot's mark) must still match only what they equal.
TEST(WinFinder, ZeroAndFullBytesAtTheEdgesOfAKey)
{
    using namespace std::string_literals;
    const TLineList numbers{
        "\0"s, "\0\0"s, "1\0"s, std::string(8, '\xFF'), std::string(7, '\xFF'), "\xFF"s, std::string(9, '\xFF')};
    const TLineList tickets{"\0"s,
                            "1"s,
                            "\0\0"s,
                            "1\0"s,
                            ""s,
                            std::string(7, '\xFF'),
                            std::string(8, '\xFF'),
                            std::string(9, '\xFF'),
                            "\x01\xFF"s,
                            "\0\xFF"s};
    EXPECT_EQ(FoundWins(numbers, tickets), PlainWins(numbers, tickets));
}

// Thousands of numbers of one length (one large table, read ahead) and of many lengths up to
// twenty bytes (long keys, long probe runs), against the plain comparison.
TEST(WinFinder, AgreesWithThePlainComparisonForLargeTables)
{
    std::mt19937 random(1208);
    const auto digits = [&](std::size_t count) { return kelmora::test::RandomDigits(random, count); };
    for (const bool oneLength : {true, false}) {
        SCOPED_TRACE(oneLength ? "one length" : "many lengths");
        TLineList numbers;
        for (int i = 0; i < 20000; ++i)
            numbers.push_back(digits(oneLength ? 4 : std::uniform_int_distribution<std::size_t>(1, 20)(random)));
        TLineList tickets;
        for (int j = 0; j < 2000; ++j)
            tickets.push_back(digits(std::uniform_int_distribution<std::size_t>(0, 22)(random)));
        EXPECT_EQ(FoundWins(numbers, tickets), PlainWins(numbers, tickets));
    }
}

namespace {

// For each ticket, the distinct numbers it ends in as the index reports them, in the order found.
template <class Index>
std::vector<std::vector<std::string>> SuffixesFound(const TLineList& numbers, const TLineList& tickets)
{
    const Index index(numbers);
    std::vector<std::string> numberOf(index.DistinctCount());
    for (std::size_t i = 0; i < numbers.size(); ++i)
        numberOf.at(index.IdOf(i)) = numbers[i];
    std::vector<std::vector<std::string>> found;
    for (const std::string_view ticket : tickets) {
        found.emplace_back();
        index.Prefetch(ticket);
        index.ForEachSuffix(ticket, [&](std::uint32_t id) { found.back().push_back(numberOf.at(id)); });
    }
    return found;
}

// The same by comparing, shortest first.
std::vector<std::vector<std::string>> SuffixesPlain(const TLineList& numbers, const TLineList& tickets)
{
    std::set<std::pair<std::size_t, std::string>> distinct;
    for (const std::string_view number : numbers)
        distinct.emplace(number.size(), number);
    std::vector<std::vector<std::string>> found;
    for (const std::string_view ticket : tickets) {
        found.emplace_back();
        for (const auto& [size, number] : distinct)
            if (ticket.ends_with(number))
                found.back().push_back(number);
    }
    return found;
}

} // namespace

// Every byte at every place of a word: only digits read, and they read as their number.
TEST(SuffixIndexes, ReadDigitsEightAtATime)
{
    for (std::size_t place = 0; place < 8; ++place) {
        for (unsigned byte = 0; byte < 256; ++byte) {
            std::string text = "31415926";
            text[place] = static_cast<char>(byte);
            const bool digit = byte >= '0' && byte <= '9';
            const std::uint64_t eight = DecimalOfBytes(TailOf(text));
            EXPECT_EQ(eight, digit ? std::stoull(text) : kNotDecimal) << place << ' ' << byte;
            if (place >= 4) {
                EXPECT_EQ(DecimalOfLastFour(text.data() + 8), digit ? std::stoull(text.substr(4)) : kNotDecimal);
            }
        }
    }
}

// The hash tables and the trie, each on its own, on the edge cases above: equal numbers share
// an id, distinct ones never do, and every suffix is found shortest first.
TEST(SuffixIndexes, FindWhatComparingFinds)
{
    using namespace std::string_literals;
    std::vector<std::pair<TLineList, TLineList>> cases{
        {{"12345678", "912345678", "812345678", "0912345678", "x0912345678", "2345678", "912345678",
          std::string(300, '7'), std::string(299, '7'), ""},
         {"912345678", "0912345678", "812345678", "12345678", "x0912345678", "y0912345678", "345678",
          std::string(300, '7'), std::string(400, '7'), std::string(299, '7'), "9", ""}},
        {{"\0"s, "\0\0"s, "1\0"s, std::string(8, '\xFF'), std::string(7, '\xFF'), "\xFF"s, std::string(9, '\xFF'),
          std::string(8, '\xFF')},
         {"\0"s, "1"s, "\0\0"s, "1\0"s, ""s, std::string(7, '\xFF'), std::string(8, '\xFF'), std::string(9, '\xFF'),
          "\x01\xFF"s, "\0\xFF"s, "\xFE"s + std::string(8, '\xFF')}},
        {{}, {"1", ""}},
    };
    // Short digit numbers, a bit per value, against tickets that end in digits or not: the
    // same with a number that keeps its lengths in hash tables.
    std::mt19937 random(1209);
    const auto pick = [&](std::size_t low, std::size_t high) {
        return std::uniform_int_distribution<std::size_t>(low, high)(random);
    };
    TLineList digitNumbers;
    for (int i = 0; i < 600; ++i)
        digitNumbers.push_back(RandomDigits(random, pick(1, 7)));
    TLineList mixedTickets;
    for (int j = 0; j < 3000; ++j) {
        std::string ticket = RandomDigits(random, pick(0, 9));
        if (!ticket.empty() && pick(0, 3) == 0)
            ticket[pick(0, ticket.size() - 1)] = "x/:\x91\x67\xFF"[pick(0, 5)];
        mixedTickets.push_back(ticket);
    }
    cases.emplace_back(digitNumbers, mixedTickets);
    digitNumbers.push_back("x12");
    digitNumbers.push_back(":");
    cases.emplace_back(digitNumbers, mixedTickets);
    for (const auto& [numbers, tickets] : cases) {
        const auto expected = SuffixesPlain(numbers, tickets);
        EXPECT_EQ(SuffixesFound<TSuffixIndex>(numbers, tickets), expected);
        EXPECT_EQ(SuffixesFound<TSuffixTrie>(numbers, tickets), expected);
    }
}

// Enough seven-digit numbers for a bit per value, too large for the cache and so read ahead,
// beside a few shorter ones: each ticket finds the numbers it ends in, and a repeat shares an id.
TEST(SuffixIndexes, ManySevenDigitNumbersFindTheirTickets)
{
    std::mt19937 random(1210);
    TLineList numbers{"7", "42"};
    std::set<std::string> distinct{"7", "42"};
    for (int i = 0; i < 90000; ++i) {
        numbers.push_back(RandomDigits(random, 7));
        distinct.insert(std::string(numbers.back()));
    }
    numbers.push_back(numbers[5]);
    TLineList tickets;
    for (int j = 0; j < 4000; ++j) {
        const std::string head = j % 3 == 0 ? "12\x91\x67" : RandomDigits(random, static_cast<std::size_t>(j % 4));
        tickets.push_back(head + (j % 2 == 0 ? std::string(numbers[2 + random() % 90000]) : RandomDigits(random, 7)));
    }
    tickets.push_back("x42");
    std::vector<std::vector<std::string>> expected;
    for (const std::string_view ticket : tickets) {
        expected.emplace_back();
        for (const std::size_t length : {std::size_t{1}, std::size_t{2}, std::size_t{7}})
            if (ticket.size() >= length && distinct.count(std::string(ticket.substr(ticket.size() - length))) != 0)
                expected.back().emplace_back(ticket.substr(ticket.size() - length));
    }
    EXPECT_EQ(SuffixesFound<TSuffixIndex>(numbers, tickets), expected);
    const TSuffixIndex index(numbers);
    EXPECT_EQ(index.IdOf(5), index.IdOf(numbers.size() - 1));
}
