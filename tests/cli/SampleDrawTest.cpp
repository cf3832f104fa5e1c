// The samples that the README works through pay what the README says, in every output form, and
// the batch checker's results text is the window's.

#include "core/check/CheckState.h"
#include "core/draw/LotteryDefinition.h"
#include "tests/cli/RunChecker.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using kelmora::test::RunChecker;
using kelmora::test::TempDir;

namespace {

const std::string kExamples = KELMORA_EXAMPLES;

std::string Checked(const TempDir& dir, const std::string& arguments)
{
    const auto run = RunChecker(dir, arguments);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    return run.out;
}

TEST(SampleDraws, TheJumboPaysWhatTheReadmeSays)
{
    TempDir dir;
    const std::string files = kExamples + "/nenmatsu-jumbo.wkx " + kExamples + "/jumbo-tickets.wkn";
    EXPECT_EQ(Checked(dir, "--utf8 --format=summary " + files),
              "1等\t7億円\t1\n"
              "1等の前後賞\t1億5千万円\t2\n"
              "1等の組違い賞\t10万円\t2\n"
              "2等\t1,000万円\t2\n"
              "3等\t100万円\t1\n"
              "4等\t5万円\t1\n"
              "5等\t1万円\t1\n"
              "6等\t3,000円\t1\n"
              "7等\t300円\t4\n"
              "合計\t1,021,264,200円\t15\n");

    // The CSV's amounts add up to the same total, win by win.
    const std::string csv = Checked(dir, "--utf8 --format=csv " + files);
    unsigned long long sum = 0;
    int rows = 0;
    for (std::size_t line = csv.find("\r\n") + 2; line < csv.size(); line = csv.find("\r\n", line) + 2) {
        const std::size_t end = csv.find("\r\n", line);
        const std::size_t comma = csv.rfind(',', end);
        sum += std::stoull(csv.substr(comma + 1, end - comma - 1));
        ++rows;
    }
    EXPECT_EQ(rows, 15);
    EXPECT_EQ(sum, 1'021'264'200ULL);

    const std::string json = Checked(dir, "--format=json " + files);
    EXPECT_NE(json.find("{\"label\":\"1等の組違い賞\",\"numbers\":[\"12組345678\"],\"prize\":\"10万円\",\"rule\":"
                        "\"other-group\"}"),
              std::string::npos)
        << json;
    EXPECT_NE(
        json.find("{\"winning_number\":\"12組345677\",\"class\":2,\"label\":\"1等の前後賞\",\"prize\":\"1億5千万円\","
                  "\"amount\":150000000,\"ticket\":\"１２組３４５６７７\"}"),
        std::string::npos)
        << json;

    // The window's check of the same files, byte for byte.
    kelmora::TCheckState state;
    kelmora::ApplyDefinition(kelmora::LoadDefinition(kExamples + "/nenmatsu-jumbo.wkx"), state);
    state.ticketList.Open(kExamples + "/jumbo-tickets.wkn");
    state.CheckRequested = true;
    kelmora::RunRequestedCheck(state);
    EXPECT_EQ(Checked(dir, files), state.resultLog.Text());
    ASSERT_TRUE(state.lastResult && state.lastResult->Total().amount);
    EXPECT_EQ(*state.lastResult->Total().amount, 1'021'264'200ULL);
    EXPECT_EQ(state.lastResult->Total().winningTickets, 11U);
}

TEST(SampleDraws, TheNewYearPostcardsLeaveTheirGiftsOutOfTheTotal)
{
    TempDir dir;
    EXPECT_EQ(
        Checked(dir, "--utf8 --format=summary " + kExamples + "/otoshidama.wkx " + kExamples + "/otoshidama-cards.wkn"),
        "1等\t30万円\t1\n"
        "2等\tふるさと小包\t1\n"
        "3等\tお年玉切手シート\t3\n"
        "合計\t300,000円\t5\n"
        "合計に含まない等級\t2等\t3等\n");
}

// Worked out by hand in the README: each ticket paid its best class only.
TEST(SampleDraws, NumberSelectionDrawsPayTheirBestClasses)
{
    TempDir dir;
    const std::vector<std::pair<std::string, std::string>> runs{
        {"loto7.wkx loto7-tickets.wkn",
         "1等\t600,000,000円\t0\n2等\t7,300,000円\t1\n3等\t730,000円\t1\n4等\t9,100円\t2\n5等\t1,400円\t1\n"
         "6等\t1,000円\t1\n合計\t8,050,600円\t6\n"},
        {"numbers3-types.wkx numbers3-tickets.wkn",
         "ストレート\t90,000円\t1\nボックス\t15,000円\t1\nセット（ストレート）\t52,500円\t1\n"
         "セット（ボックス）\t7,500円\t1\nミニ\t9,000円\t1\n合計\t174,000円\t5\n買い方のないクジ\t1\n"},
        {"bingo5.wkx bingo5-tickets.wkn",
         "1等\t5,555,500円\t0\n2等\t55,500円\t1\n3等\t8,200円\t1\n4等\t5,600円\t1\n5等\t1,100円\t1\n"
         "6等\t700円\t1\n7等\t200円\t1\n合計\t71,300円\t6\n"},
    };
    for (const auto& [files, summary] : runs) {
        const std::string draw = files.substr(0, files.find(' '));
        const std::string tickets = files.substr(files.find(' ') + 1);
        EXPECT_EQ(Checked(dir, "--utf8 --format=summary " + kExamples + "/" + draw + " " + kExamples + "/" + tickets),
                  summary);
        // A count or lines class's win shows its numbers as written, and the window checks alike.
        kelmora::TCheckState state;
        kelmora::ApplyDefinition(kelmora::LoadDefinition(kExamples + "/" + draw), state);
        state.ticketList.Open(kExamples + "/" + tickets);
        state.CheckRequested = true;
        kelmora::RunRequestedCheck(state);
        EXPECT_EQ(Checked(dir, kExamples + "/" + draw + " " + kExamples + "/" + tickets), state.resultLog.Text());
    }
    const std::string loto = Checked(dir, "--utf8 " + kExamples + "/loto7.wkx " + kExamples + "/loto7-tickets.wkn");
    EXPECT_NE(loto.find("当選番号07 10 12 17 23 28 34\n2等に当選したクジの番号\n07 10 12 17 23 28 15\n"),
              std::string::npos)
        << loto;
}

} // namespace

TEST(SampleDraws, TheJumboTicketByTicket)
{
    TempDir dir;
    const std::string out = Checked(
        dir, "--utf8 --format=tickets " + kExamples + "/nenmatsu-jumbo.wkx " + kExamples + "/jumbo-tickets.wkn");
    const std::string head = "\xEF\xBB\xBFクジの番号,当選した等級,金額\r\n";
    ASSERT_TRUE(out.starts_with(head)) << out;
    // 1等 and 7等 (its last digit 8): 700,000,000 + 300 yen.
    EXPECT_TRUE(out.substr(head.size()).starts_with("12組345678,1等・7等,700000300\r\n")) << out;
    std::vector<std::string> tickets;
    int amounts = 0;
    unsigned long long sum = 0;
    for (std::size_t line = head.size(); line < out.size(); line = out.find("\r\n", line) + 2) {
        const std::string row = out.substr(line, out.find("\r\n", line) - line);
        tickets.push_back(row.substr(0, row.find(',')));
        const std::string amount = row.substr(row.rfind(',') + 1);
        if (!amount.empty())
            ++amounts, sum += std::stoull(amount);
    }
    EXPECT_EQ(tickets.size(), 13U);
    EXPECT_EQ(tickets.at(2), "１２組３４５６７７") << "in ticket order, as written";
    EXPECT_EQ(amounts, 11);
    EXPECT_EQ(sum, 1'021'264'200ULL);
}
