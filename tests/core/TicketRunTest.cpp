// Runs of consecutive ticket numbers.

#include "core/draw/TicketRun.h"

#include "core/base/KelmoraError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kelmora;

namespace {

std::vector<std::string> RunOf(std::string_view first, long count)
{
    const TLineList run = CountUpRun(first, count);
    return {run.begin(), run.end()};
}

} // namespace

TEST(TicketRun, CountsUpTheTrailingDigitsKeepingWidthAndPrefix)
{
    const auto run = RunOf("A-0345678", 12);
    ASSERT_EQ(run.size(), 12U);
    EXPECT_EQ(run.front(), "A-0345678");
    EXPECT_EQ(run[1], "A-0345679");
    EXPECT_EQ(run[2], "A-0345680");
    EXPECT_EQ(run.back(), "A-0345689");
    // 組 (91 67) before the digits is kept as it is.
    EXPECT_EQ(RunOf("12\x91\x67"
                    "0998",
                    3),
              (std::vector<std::string>{"12\x91\x67"
                                        "0998",
                                        "12\x91\x67"
                                        "0999",
                                        "12\x91\x67"
                                        "1000"}));
    EXPECT_EQ(RunOf("007", 1), (std::vector<std::string>{"007"}));
    EXPECT_EQ(RunOf("90", 10).back(), "99");
}

TEST(TicketRun, RefusesAndAddsNothing)
{
    EXPECT_THROW(CountUpRun("A-", 2), TKelmoraError);
    EXPECT_THROW(CountUpRun("", 2), TKelmoraError);
    EXPECT_THROW(CountUpRun("12A", 2), TKelmoraError);
    EXPECT_THROW(CountUpRun("1", 0), TKelmoraError);
    EXPECT_THROW(CountUpRun("1", -3), TKelmoraError);
    EXPECT_THROW(CountUpRun("1", kMaxRunCount + 1), TKelmoraError);
    // The last number would need a digit more than the first has.
    EXPECT_THROW(CountUpRun("91", 10), TKelmoraError);
    EXPECT_THROW(CountUpRun("X9", 2), TKelmoraError);
    EXPECT_EQ(CountUpRun("00000", kMaxRunCount).size(), static_cast<std::size_t>(kMaxRunCount));
    EXPECT_THROW(CountUpRun("0000", kMaxRunCount), TKelmoraError);
}

TEST(TicketRun, AJumboRunStaysWithinItsNumbers)
{
    const std::string kumi = "\x91\x67"; // 組
    EXPECT_EQ(RunOf("12" + kumi + "199995", 5).back(), "12" + kumi + "199999");
    EXPECT_THROW(CountUpRun("12" + kumi + "199995", 6), TKelmoraError);
    EXPECT_THROW(CountUpRun(kumi + "199999", 2), TKelmoraError);
    // Not a jumbo's number: the digits' width alone bounds the run.
    EXPECT_EQ(RunOf("12" + kumi + "299999", 1).size(), 1U);
    EXPECT_EQ(RunOf("12-199999", 2).back(), "12-200000");
    EXPECT_EQ(RunOf("12" + kumi + "1999999", 2).back(), "12" + kumi + "2000000");
}

TEST(TicketRun, ParsesTheCount)
{
    EXPECT_EQ(ParseRunCount("10"), 10);
    EXPECT_EQ(ParseRunCount("1"), 1);
    EXPECT_EQ(ParseRunCount("100000"), kMaxRunCount);
    for (const char* bad : {"", "0", "100001", "-1", "1e3", " 5", "999999", "1234567"})
        EXPECT_THROW(ParseRunCount(bad), TKelmoraError) << bad;
}
