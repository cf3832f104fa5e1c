#include "core/draw/TicketList.h"

#include "core/base/KelmoraError.h"
#include "tests/core/TestFiles.h"
#include "tests/support/ShiftJis.h"

#include <gtest/gtest.h>

using namespace kelmora;
using namespace kelmora::test;

TEST(TicketList, AddKeepsEveryByteAndRefusesEmpty)
{
    TTicketList list;
    EXPECT_FALSE(list.Add(""));
    EXPECT_TRUE(list.Add(kKumiTicket));
    EXPECT_TRUE(list.Add(" 7 "));
    EXPECT_TRUE(list.Add(" 7 "));
    EXPECT_EQ(list.Entries(), (TLineList{kKumiTicket, " 7 ", " 7 "}));
}

TEST(TicketList, DeleteOnlyTheSelectedEntry)
{
    TTicketList list;
    for (const char* n : {"1", "2", "3"})
        list.Add(n);
    EXPECT_FALSE(list.Delete(-1));
    EXPECT_FALSE(list.Delete(3));
    EXPECT_TRUE(list.Delete(1));
    EXPECT_EQ(list.Entries(), (TLineList{"1", "3"}));
}

TEST(TicketList, OpenReplacesAndAFailedOpenKeepsTheList)
{
    test::TempDir dir;
    test::WriteBytes(dir.File("lf.wkn"), "1\n\n2");
    TTicketList list;
    list.Add("old");
    list.Open(dir.File("lf.wkn"));
    EXPECT_EQ(list.Entries(), (TLineList{"1", "", "2"}));
    EXPECT_THROW(list.Open(dir.File("missing.wkn")), TKelmoraError);
    EXPECT_EQ(list.Entries(), (TLineList{"1", "", "2"}));
}

TEST(TicketList, SaveWritesCrLfLines)
{
    test::TempDir dir;
    TTicketList list;
    list.Save(dir.File("empty.wkn"));
    EXPECT_EQ(test::ReadBytes(dir.File("empty.wkn")), "");
    list.Add("12");
    list.Add("345");
    list.Save(dir.File("two.wkn"));
    EXPECT_EQ(test::ReadBytes(dir.File("two.wkn")), "12\r\n345\r\n");
}
