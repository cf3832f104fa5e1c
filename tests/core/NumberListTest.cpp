#include "core/draw/NumberList.h"

#include "tests/support/ShiftJis.h"

#include <gtest/gtest.h>

using namespace kelmora;
using namespace kelmora::test;

TEST(SplitNumberList, SeparatorsAndBlanks)
{
    EXPECT_EQ(SplitNumberList("11,22"), (TLineList{"11", "22"}));
    EXPECT_EQ(SplitNumberList("11, 22"), (TLineList{"11", "22"}));
    EXPECT_EQ(SplitNumberList("11 22"), (TLineList{"11", "22"}));
    EXPECT_EQ(SplitNumberList("\t11\x01\x1F"
                              "22  "),
              (TLineList{"11", "22"}));
    EXPECT_EQ(SplitNumberList("11 22,33"), (TLineList{"11", "22", "33"}));
}

TEST(SplitNumberList, EmptyItems)
{
    EXPECT_TRUE(SplitNumberList("").empty());
    EXPECT_TRUE(SplitNumberList("   ").empty());
    EXPECT_EQ(SplitNumberList(",11"), (TLineList{"", "11"}));
    EXPECT_EQ(SplitNumberList("11,,22"), (TLineList{"11", "", "22"}));
    EXPECT_EQ(SplitNumberList("11,"), (TLineList{"11"}));
    EXPECT_EQ(SplitNumberList(", ,11"), (TLineList{"", "", "11"}));
    EXPECT_EQ(SplitNumberList(" ,"), (TLineList{""}));
}

TEST(SplitNumberList, QuotedItems)
{
    EXPECT_EQ(SplitNumberList("\"1,2\""), (TLineList{"1,2"}));
    EXPECT_EQ(SplitNumberList("\"\""), (TLineList{""}));
    EXPECT_EQ(SplitNumberList("\"123"), (TLineList{"12"})); // unclosed: last byte dropped
    EXPECT_EQ(SplitNumberList("\"a\"\"b\",c"), (TLineList{"a\"b", "c"}));
    EXPECT_EQ(SplitNumberList("\"1 2\" 3"), (TLineList{"1 2", "3"}));
    EXPECT_EQ(SplitNumberList("1\"2"), (TLineList{"1\"2"})); // a quote inside an item is a byte
    EXPECT_EQ(SplitNumberList("\""), (TLineList{""}));
}

TEST(SplitNumberList, DoubleByteCharactersAndNul)
{
    EXPECT_EQ(SplitNumberList(kKumiTicket + ",\x88\xEA"), (TLineList{kKumiTicket, "\x88\xEA"}));
    EXPECT_EQ(SplitNumberList(std::string_view("1,2\0,3", 6)), (TLineList{"1", "2"}));
}

// Items of every length around a machine word end where short ones do, at whatever byte ends
// them, and keep the bytes that do not: DEL, half-width kana, a double-byte character.
TEST(SplitNumberList, ItemsLongerThanAWord)
{
    const std::string ascii = "0123456789ABCDEFGHI\x7F";
    for (std::size_t length = 1; length <= ascii.size(); ++length) {
        const std::string item = ascii.substr(0, length);
        for (const std::string separator : {",", " ", "\t", "\x01", " , "}) {
            const std::string text = item + separator + item + "\xB1" + separator + item + "\x81\x40" + item;
            EXPECT_EQ(SplitNumberList(text), (TLineList{item, item + "\xB1", item + "\x81\x40" + item}))
                << length << " " << static_cast<int>(separator[0]);
        }
        // A lead byte takes the byte after it, a comma included.
        EXPECT_EQ(SplitNumberList(item + "\x81," + item), TLineList{item + "\x81," + item}) << length;
    }
}

TEST(SplitNumberList, ScratchListIsClearedFirst)
{
    TLineList scratch{"old"};
    SplitNumberList("1", scratch);
    EXPECT_EQ(scratch, TLineList{"1"});
    SplitNumberList("", scratch);
    EXPECT_TRUE(scratch.empty());
}

TEST(TypedCommas, TheInputMethodsCommasSeparateOutsideQuotes)
{
    const std::string touten = "\x81\x41";    // 、
    const std::string fullComma = "\x81\x43"; // ，
    const std::string a = "\x83\x41";         // ア: 41 as a trail byte is no comma
    const std::pair<std::string, std::string> cases[] = {
        {"1" + fullComma + "2" + touten + touten + "3", "1,2,,3"},
        {"\"1" + touten + "2\"" + touten + "3", "\"1" + touten + "2\",3"},
        {a + "C", a + "C"},
        {"1,2 3", "1,2 3"},
    };
    for (const auto& [typed, expected] : cases)
        EXPECT_EQ(TypedCommasAsCommas(typed), expected) << typed;
}
