#include "ui/text/TypedNumber.h"

#include <gtest/gtest.h>

namespace kelmora::ui {
namespace {

TEST(TypedNumber, FullWidthFormsBecomeAsciiAndBlankEndsGo)
{
    EXPECT_EQ(NumberAsTyped(u"　１２３組　１４５６７８ "), QStringLiteral("123組 145678"));
    EXPECT_EQ(NumberAsTyped(u"Ａ－０３４５ｚ"), QStringLiteral("A-0345z"));
    // Other characters stay as typed: the Shift-JIS check sees them.
    EXPECT_EQ(NumberAsTyped(u"１２３番"), QStringLiteral("123番"));
}

// A number the user did not touch keeps its form, which a draw's byte rule may compare.
TEST(TypedNumber, OnlyTheEditedPartOfAListIsMadeAscii)
{
    EXPECT_EQ(NumbersAsEdited(u"１２３", u"１２３,４５６"), QStringLiteral("１２３,456"));
    EXPECT_EQ(NumbersAsEdited(u"１２３,９,７８９", u"１２３,８,７８９"), QStringLiteral("１２３,8,７８９"));
    EXPECT_EQ(NumbersAsEdited(u"", u"　１２組３４ "), QStringLiteral("12組34"));
    EXPECT_EQ(NumbersAsEdited(u"１１", u"１１１"), QStringLiteral("１１1"));
}

} // namespace
} // namespace kelmora::ui
