#include "core/base/LineList.h"

#include <gtest/gtest.h>

using kelmora::TLineList;

TEST(LineList, KeepsOrderDuplicatesAndEmptyEntriesThroughEdits)
{
    TLineList list{"a", "", "a"};
    list.push_back(std::string(1000, 'x'));
    list.erase(1);
    EXPECT_EQ(list, (TLineList{"a", "a", std::string(1000, 'x')}));
    list.push_back("b");
    list.erase(0);
    EXPECT_EQ(list, (TLineList{"a", std::string(1000, 'x'), "b"}));
    list.erase(2);
    list.erase(1);
    list.erase(0);
    EXPECT_TRUE(list.empty());
    list.push_back("again");
    EXPECT_EQ(list.front(), "again");
    EXPECT_NE(list, (TLineList{"again", ""}));
}

TEST(LineList, EntriesMayHoldAnyByte)
{
    const std::string nul("a\0b", 3);
    TLineList list{nul, "\xFF\x80"};
    EXPECT_EQ(list[0], nul);
    EXPECT_EQ(list[1].size(), 2u);
}

TEST(LineList, AppendKeepsBothListsInOrder)
{
    TLineList list;
    list.append(TLineList{"a", ""});
    EXPECT_EQ(list, (TLineList{"a", ""}));
    TLineList more{"b", "cc"};
    list.append(std::move(more));
    EXPECT_EQ(list, (TLineList{"a", "", "b", "cc"}));
    list.append(TLineList{});
    list.erase(0);
    list.append(TLineList{"d"});
    EXPECT_EQ(list, (TLineList{"", "b", "cc", "d"}));
}

TEST(LineList, CopiedAppendAndRepeatedLastEntry)
{
    const TLineList source{"12", "", "345"};
    TLineList list{"a"};
    list.append(source);
    list.RepeatBack(2);
    EXPECT_EQ(list, (TLineList{"a", "12", "", "345", "345", "345"}));
    EXPECT_EQ(source, (TLineList{"12", "", "345"}));
    list.erase(4);
    list.append(TLineList{});
    EXPECT_EQ(list, (TLineList{"a", "12", "", "345", "345"}));
}

TEST(LineList, AnEntryOfTheListItselfIsAddedWholeAsTheListGrows)
{
    TLineList list{"first entry"};
    for (int i = 0; i < 100; ++i)
        list.push_back(list[static_cast<std::size_t>(i)]);
    EXPECT_EQ(list.size(), 101u);
    EXPECT_EQ(list.back(), "first entry");
    TLineList copy = list;
    list.clear();
    EXPECT_EQ(copy[100], "first entry");
    list = copy;
    EXPECT_EQ(list, copy);
}
