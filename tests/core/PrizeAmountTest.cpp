#include "core/PrizeAmount.h"

#include <gtest/gtest.h>

#include <vector>

using kelmora::FormatYen;
using kelmora::ParsePrizeAmount;

namespace {
const std::string kYen = "\x89\x7E";           // 円
const std::string kManYen = "\x96\x9C" + kYen; // 万円
const std::string kOkuYen = "\x89\xAD" + kYen; // 億円
} // namespace

TEST(PrizeAmount, PlainAmounts)
{
    EXPECT_EQ(ParsePrizeAmount("300"), 300u);
    EXPECT_EQ(ParsePrizeAmount("300" + kYen), 300u);
    EXPECT_EQ(ParsePrizeAmount("1,000" + kManYen), 10'000'000u);
    EXPECT_EQ(ParsePrizeAmount("7" + kOkuYen), 700'000'000u);
    EXPECT_EQ(ParsePrizeAmount("1,000,000" + kYen), 1'000'000u);
    EXPECT_EQ(ParsePrizeAmount("0"), 0u);
}

TEST(PrizeAmount, AnythingElseHasNoAmount)
{
    for (const std::string& text : std::vector<std::string>{
             std::string(), kYen, kManYen, ",100", "100,", "1,,000", "1.5" + kManYen, "-100", " 100", "100 " + kYen,
             "\x91\x65\x95\x69" /* 粗品 */, "100" + kManYen + kYen, "\x82\x50\x82\x4F\x82\x4F" /* full-width 100 */})
        EXPECT_FALSE(ParsePrizeAmount(text).has_value()) << text;
    EXPECT_EQ(ParsePrizeAmount("18446744073709551615"), UINT64_MAX);
    EXPECT_FALSE(ParsePrizeAmount("18446744073709551616").has_value());
    EXPECT_FALSE(ParsePrizeAmount("200000000000" + kOkuYen).has_value());
}

TEST(PrizeAmount, FormatGroupsThousands)
{
    EXPECT_EQ(FormatYen(0), "0" + kYen);
    EXPECT_EQ(FormatYen(999), "999" + kYen);
    EXPECT_EQ(FormatYen(1000), "1,000" + kYen);
    EXPECT_EQ(FormatYen(20'000'600), "20,000,600" + kYen);
    EXPECT_EQ(FormatYen(UINT64_MAX), "18,446,744,073,709,551,615" + kYen);
}
