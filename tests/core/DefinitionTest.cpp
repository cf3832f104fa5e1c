// The definition reader and what selecting a definition puts into the window's state.

#include "core/check/CheckState.h"
#include "core/base/KelmoraError.h"
#include "core/draw/LotteryDefinition.h"
#include "core/draw/ProfileFile.h"
#include "tests/core/TestFiles.h"
#include "tests/support/ShiftJis.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <tuple>

using namespace kelmora;
using namespace kelmora::test;

namespace {

TCheckState Apply(std::string_view fileText)
{
    TCheckState state;
    ApplyDefinition(LoadDefinition(TProfileFile::Parse(TByteString(fileText))), state);
    return state;
}

const std::string kHyphens = "----------------------";

} // namespace

TEST(ProfileFile, NamesIgnoreCaseAndSpaceAroundNamesAndValues)
{
    const auto profile = TProfileFile::Parse(" [ ver ] \r\n  no =  7  \r\nEvent=a b \n[HIT]\nNO1=x");
    EXPECT_EQ(profile.ReadInt("Ver", "No", 0), 7);
    EXPECT_EQ(profile.ReadString("VER", "EVENT"), "a b");
    EXPECT_EQ(profile.ReadString("Hit", "No1"), "x");
}

TEST(ProfileFile, DefaultsCommentsAndRepeats)
{
    const auto profile = TProfileFile::Parse("orphan=1\n[Ver]\n;No=5\nNo=2\nNo=3\nbare line\n[Ver]\nEVENT=e");
    EXPECT_EQ(profile.ReadInt("Ver", "No", 0), 2);
    EXPECT_EQ(profile.ReadString("Ver", "orphan", "def"), "def");
    EXPECT_EQ(profile.ReadString("Ver", "EVENT"), "e");
    EXPECT_EQ(profile.ReadInt("Nope", "No", -4), -4);
}

TEST(ProfileFile, NumbersAndLongValues)
{
    const auto profile =
        TProfileFile::Parse("[s]\na=-3\nb=12abc\nc=abc\nd=99999999999999999999\ne=" + std::string(300, 'x') +
                            "\nf=" + std::string("ab\0cd", 5));
    EXPECT_EQ(profile.ReadInt("s", "a", 0), -3);
    EXPECT_EQ(profile.ReadInt("s", "b", 0), 12);
    EXPECT_EQ(profile.ReadInt("s", "c", 9), 0);
    EXPECT_GT(profile.ReadInt("s", "d", 0), 1000000);
    EXPECT_EQ(profile.ReadString("s", "e"), std::string(255, 'x'));
    EXPECT_EQ(profile.ReadString("s", "f"), "ab");
}

// CR LF, CR and LF each end a line, mixed or not, and a key longer than most is found as well.
TEST(ProfileFile, EveryLineEndEndsALine)
{
    const std::string longName(100, 'K');
    for (const std::string_view end : {"\r\n", "\r", "\n", "\n\r", "\r\r\n"}) {
        std::string text = "[Ver]";
        for (int n = 1; n <= 40; ++n)
            text += std::string(end) + "Key" + std::to_string(n) + "=" + std::to_string(n * 7);
        text += std::string(end) + longName + "=long";
        const auto profile = TProfileFile::Parse(text);
        for (int n = 1; n <= 40; ++n)
            EXPECT_EQ(profile.ReadInt("ver", "KEY" + std::to_string(n), 0), n * 7) << n;
        EXPECT_EQ(profile.ReadString("Ver", longName), "long");
    }
    const auto mixed = TProfileFile::Parse("[s]\ra=1\nb=2\r\nc=3\n\rd=4\r");
    EXPECT_EQ(mixed.ReadString("s", "a") + mixed.ReadString("s", "b") + mixed.ReadString("s", "c") +
                  mixed.ReadString("s", "d"),
              "1234");
}

TEST(ApplyDefinition, TheExampleDraw)
{
    const auto state = Apply("[Ver]\r\nNo=2\r\nEVENT=Spring draw\r\n[Hit]\r\nHit1=First prize\r\nNo1=456\r\n"
                             "SHO1=500\r\nHit2=Last two digits\r\nNo2=07,58\r\nSHO2=20\r\n");
    EXPECT_EQ(state.resultLog.Text(),
              "Spring draw\r\n\r\n\r\nFirst prize\r\n456\r\n500\r\n\r\n\r\nLast two digits\r\n07,58\r\n20\r\n\r\n\r\n" +
                  kHyphens + "\r\n\r\n\r\n");
    EXPECT_EQ(state.WinningTable().Numbers(), (TLineList{"456", "07", "58"}));
    EXPECT_EQ(state.WinningTable().Labels(), (TLineList{"First prize", "Last two digits", "Last two digits"}));
}

TEST(ApplyDefinition, NoClassesWhenTheCountIsMissingZeroOrNegative)
{
    const std::string expected = "E\r\n\r\n\r\n" + kHyphens + "\r\n\r\n\r\n";
    for (const char* ver : {"[Ver]\nEVENT=E\n", "[Ver]\nNo=0\nEVENT=E\n", "[Ver]\nNo=-2\nEVENT=E\n"}) {
        const auto state = Apply(std::string(ver) + "[Hit]\nNo1=1\nHit1=h\n");
        EXPECT_EQ(state.resultLog.Text(), expected) << ver;
        EXPECT_EQ(state.WinningTable().Count(), 0u) << ver;
    }
    EXPECT_EQ(Apply("").resultLog.Text(), "\r\n\r\n\r\n" + kHyphens + "\r\n\r\n\r\n");
}

TEST(ApplyDefinition, ReadingStopsAtTheFirstEmptyNumbers)
{
    const auto state = Apply("[Ver]\nNo=3\n[Hit]\nNo1=1\nHit1=a\nNo2=\nHit2=b\nNo3=3\nHit3=c\n");
    EXPECT_EQ(state.WinningTable().Numbers(), TLineList{"1"});
    const auto large = Apply("[Ver]\nNo=2147483647\n[Hit]\nNo1=1\nNo2=2\n");
    EXPECT_EQ(large.WinningTable().Numbers(), (TLineList{"1", "2"}));
}

TEST(ApplyDefinition, SplitsNumberListsAndRepeatsLabels)
{
    const auto state = Apply("[Ver]\nNo=2\n[Hit]\nNo1=11 22,33\nHit1=L\nNo2=,11\n");
    EXPECT_EQ(state.WinningTable().Numbers(), (TLineList{"11", "22", "33", "", "11"}));
    EXPECT_EQ(state.WinningTable().Labels(), (TLineList{"L", "L", "L", "", ""}));
}

TEST(ApplyDefinition, ReplacesThePreviousDrawButNotTheTickets)
{
    TCheckState state;
    state.ticketList.Add("123");
    state.resultLog.SetText("old results");
    ApplyDefinition(LoadDefinition(TProfileFile::Parse("[Ver]\nNo=1\n[Hit]\nNo1=1,2\n")), state);
    ApplyDefinition(LoadDefinition(TProfileFile::Parse("[Ver]\nNo=1\nEVENT=2nd\n[Hit]\nNo1=9\n")), state);
    EXPECT_EQ(state.WinningTable().Numbers(), TLineList{"9"});
    EXPECT_EQ(state.resultLog.Text().rfind("2nd\r\n", 0), 0u);
    EXPECT_EQ(state.ticketList.Entries(), TLineList{"123"});
}

TEST(LoadDefinition, AMissingFileReadsAsEmpty)
{
    test::TempDir dir;
    const auto definition = LoadDefinition(dir.File("gone.wkx"));
    EXPECT_TRUE(definition.eventName.empty());
    EXPECT_TRUE(definition.classes.empty());
    EXPECT_THROW(TProfileFile::Load(dir.File("gone.wkx")), TKelmoraError);
}

TEST(LoadDefinition, ReadsAShiftJisFile)
{
    test::TempDir dir;
    // [Ver] No=1 EVENT=宝くじ [Hit] Hit1=1等 No1=12組345 SHO1=100円
    test::WriteBytes(dir.File("d.wkx"),
                     "[Ver]\r\nNo=1\r\nEVENT=\x95\xF3\x82\xAD\x82\xB6\r\n[Hit]\r\n"
                     "Hit1=1\x93\x99\r\nNo1=12\x91\x67"
                     "345\r\nSHO1=100\x89\x7E\r\n");
    const auto definition = LoadDefinition(dir.File("d.wkx"));
    EXPECT_EQ(definition.eventName, "\x95\xF3\x82\xAD\x82\xB6");
    ASSERT_EQ(definition.classes.size(), 1u);
    EXPECT_EQ(definition.classes[0].label, "1\x93\x99");
    EXPECT_EQ(definition.classes[0].numbers, TLineList{kKumiTicket});
    EXPECT_EQ(definition.classes[0].prize, "100\x89\x7E");
}

// The draw reader keeps the entries a definition is read from (Rule n among them) and nothing
// else: once read, a file full of other entries costs little more than the ones it uses.
TEST(LoadDefinition, KeepsOnlyTheEntriesItReads)
{
    std::string file = "[Ver]\r\nNo=2\r\nEVENT=e\r\nNote=x\r\n[Hit]\r\nHit1=A\r\nNo1=7\r\nSHO1=1\r\n"
                       "Rule2=whole\r\nHit2=B\r\nNo2=8\r\nSHO2=2\r\nNo01=5\r\nNo3=past the count\r\n";
    for (int i = 0; i < 200000; ++i)
        file += "Note" + std::to_string(i) + "=" + std::string(20, 'x') + "\r\n";
    file += "[Other]\r\nNo1=9\r\n";
    kelmora::test::TempDir dir;
    kelmora::test::WriteBytes(dir.File("d.wkx"), file);

#if defined(__SANITIZE_ADDRESS__)
    const TProfileFile profile = LoadDefinitionProfile(dir.File("d.wkx"));
#else
    const std::size_t before = ::mallinfo2().uordblks;
    const TProfileFile profile = LoadDefinitionProfile(dir.File("d.wkx"));
    EXPECT_LT(::mallinfo2().uordblks - before, file.size() / 20);
#endif
    EXPECT_EQ(profile.ReadString("Hit", "Rule2"), "whole");
    EXPECT_EQ(profile.ReadString("Hit", "NO2"), "8");
    EXPECT_EQ(profile.ReadString("Ver", "EVENT"), "e");
    EXPECT_EQ(profile.ReadString("Hit", "Note7", "none"), "none");
    EXPECT_EQ(profile.ReadString("Hit", "No01", "none"), "none");
    EXPECT_EQ(profile.ReadString("Other", "No1", "none"), "none");
    EXPECT_EQ(profile.ReadString("Hit", "No3", "none"), "none");
    const TLotteryDefinition definition = LoadDefinition(profile);
    ASSERT_EQ(definition.classes.size(), 2u);
    EXPECT_EQ(definition.classes[1].label, "B");
    // Without a filter every entry is there, as before.
    EXPECT_EQ(TProfileFile::Load(dir.File("d.wkx")).ReadString("Hit", "Note7"), std::string(20, 'x'));
}

// The first count in the file is the one read, whatever counts follow it and wherever [Ver] is.
TEST(LoadDefinition, TheFirstCountIsRead)
{
    const std::string hit = "[Hit]\r\nNo1=1\r\nNo2=2\r\nNo3=3\r\n";
    const auto classes = [](const std::string& file) {
        return LoadDefinition(ParseDefinitionProfile(file)).classes.size();
    };
    EXPECT_EQ(classes("[Ver]\r\nNo=2\r\n" + hit + "[Ver]\r\nNo=50000\r\n"), 2u);
    EXPECT_EQ(classes("[Ver]\r\nNo=50000\r\n" + hit + "[Ver]\r\nNo=2\r\n"), 3u);
    EXPECT_EQ(classes(hit + "[Ver]\r\nNo=1\r\nNo=3\r\n"), 1u);
}

// A class's entries are found by name and number in any case, never by a number written with a
// leading zero or in another section, the first of repeats winning.
TEST(LoadDefinition, ClassEntriesByNameAndNumber)
{
    const TLotteryDefinition definition = LoadDefinition(
        TProfileFile::Parse("[Ver]\nNo=9\n[Hit]\nNo01=9\nno1=1 2\nNO1=7\nHIT1=A\nsho1=100\nBonus1=5\nRULE1=whole\n"
                            "Hit02=B\nNo2=3\n[Other]\nNo3=4\n[hit]\nHit2=C\nNo3=\nNo4=8\n"));
    ASSERT_EQ(definition.classes.size(), 2u);
    const TPrizeClass& first = definition.classes[0];
    EXPECT_EQ(first.numbersText + "|" + first.label + "|" + first.prize + "|" + first.bonusText, "1 2|A|100|5");
    EXPECT_EQ(first.rule, TMatchRule::Whole);
    EXPECT_EQ(definition.classes[1].label, "C");
    EXPECT_EQ(definition.classes[1].numbers, (TLineList{"3"}));
}

// Past the limit of classes a draw is refused, before its entries are kept, whatever order its
// sections come in; a count past it with fewer classes read is an ordinary draw.
TEST(LoadDefinition, MoreClassesThanTheLimitAreRefused)
{
    constexpr long kMax = TLotteryDefinition::kMaxClasses;
    const auto read = [](long count, long classes, long gap, bool verLast) -> std::string {
        std::string hit = "[Hit]\r\n";
        for (long n = 1; n <= classes; ++n)
            hit += "No" + std::to_string(n) + "=" + (n == gap ? "" : std::to_string(n)) + "\r\n";
        const std::string ver = "[Ver]\r\nNo=" + std::to_string(count) + "\r\n";
        try {
            return std::to_string(LoadDefinition(ParseDefinitionProfile(verLast ? hit + ver : ver + hit)).classes.size());
        } catch (const TKelmoraError& error) {
            return error.what();
        }
    };
    const std::string refusal = "等級が多すぎて読み込めません (10000 等級まで)";
    const std::tuple<long, long, long, std::string> cases[] = {
        {kMax + 1, kMax + 1, 0, refusal},        {5000000, kMax + 1, 0, refusal},
        {kMax, kMax + 1, 0, std::to_string(kMax)}, {kMax + 1, kMax + 1, kMax, std::to_string(kMax - 1)},
        {5000000, 3, 0, "3"},
    };
    for (const auto& [count, classes, gap, outcome] : cases)
        for (const bool verLast : {false, true})
            EXPECT_EQ(read(count, classes, gap, verLast), outcome) << count << " " << classes << " " << gap;
}
