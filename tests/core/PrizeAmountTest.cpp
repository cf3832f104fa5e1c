#include "core/text/PrizeAmount.h"

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

TEST(PrizeAmount, PlainDigitsOfEveryLength)
{
    EXPECT_EQ(ParsePrizeAmount("007"), 7u);
    EXPECT_EQ(ParsePrizeAmount("9999999999999999999"), 9'999'999'999'999'999'999u);
    EXPECT_EQ(ParsePrizeAmount("00000000000000000001"), 1u);
    EXPECT_FALSE(ParsePrizeAmount("99999999999999999999").has_value());
}

TEST(PrizeAmount, AsAnnounced)
{
    const std::string oku = "\x89\xAD";
    const std::string man = "\x96\x9C";
    const std::string sen = "\x90\xE7";
    const std::string hyaku = "\x95\x53";
    EXPECT_EQ(ParsePrizeAmount("1" + oku + "5" + sen + kManYen), 150'000'000u);
    EXPECT_EQ(ParsePrizeAmount("1" + oku + "5000" + kManYen), 150'000'000u);
    EXPECT_EQ(ParsePrizeAmount("\x82\x50\x82\x4F" + kManYen), 100'000u); // １０万円
    EXPECT_EQ(ParsePrizeAmount("\x82\x50\x81\x43\x82\x4F\x82\x4F\x82\x4F" + kYen), 1'000u); // １，０００円
    EXPECT_EQ(ParsePrizeAmount("1" + man + "9999" + kYen), 19'999u);
    EXPECT_EQ(ParsePrizeAmount("\x82\x50" + oku + "\x82\x54" + sen + kManYen), 150'000'000u);
    EXPECT_EQ(ParsePrizeAmount("150,000,000 " + kYen), 150'000'000u);
    EXPECT_EQ(ParsePrizeAmount("\x5C"
                               "150,000,000"),
              150'000'000u); // ¥
    EXPECT_EQ(ParsePrizeAmount("\x81\x8F"
                               "3,000"),
              3'000u); // ￥
    EXPECT_EQ(ParsePrizeAmount("3" + sen + kYen), 3'000u);
    EXPECT_EQ(ParsePrizeAmount("2" + sen + "5" + hyaku + "50" + kYen), 2'550u);
    EXPECT_EQ(ParsePrizeAmount(" 100"), 100u);
    EXPECT_EQ(ParsePrizeAmount("1" + oku + "2" + man + "300" + kYen), 100'020'300u);
    EXPECT_EQ(ParsePrizeAmount("\x81\x40"
                               "300" +
                               kYen + "\t"),
              300u); // full-width space
}

TEST(PrizeAmount, AnythingElseHasNoAmount)
{
    const std::string oku = "\x89\xAD";
    const std::string sen = "\x90\xE7";
    for (const std::string& text : std::vector<std::string>{
             std::string(), kYen, kManYen, ",100", "100,", "1,,000", "1.5" + kManYen, "-100",
             "\x91\x65\x95\x69" /* 粗品 */, "\x8B\x4C\x94\x4F\x95\x69" /* 記念品 */, "100" + kManYen + kYen,
             "1" + kManYen.substr(0, 2) + "1" + oku + kYen /* 万 before 億 */, "1" + oku + "20000" + kManYen,
             "1" + oku + "10000" + kManYen, "1" + kManYen.substr(0, 2) + "10000" + kYen, "\x81\x43" "100",
             "1\x81\x43\x81\x43" "000",
             "15" + sen + kYen, "1" + sen + "1000" + kYen,
             "\x5C"
             "1,000" +
                 kYen,
             "\x5C"
             "1" +
                 kManYen,
             "\x5C", "\x81\x8F" + kYen})
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
