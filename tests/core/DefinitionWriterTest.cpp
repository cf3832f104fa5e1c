// Writing definitions: what is written reads back, through the reader, to what was written.

#include "core/draw/DefinitionWriter.h"

#include "core/draw/DrawDraft.h"
#include "core/base/KelmoraError.h"
#include "core/draw/LotteryDefinition.h"
#include "core/draw/NumberList.h"
#include "core/draw/ProfileFile.h"
#include "tests/core/TestFiles.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace kelmora;
using namespace std::string_literals;

namespace {

TLotteryDefinition ReadBack(const TByteString& bytes)
{
    return LoadDefinition(TProfileFile::Parse(bytes));
}

std::vector<std::string> Items(const TLineList& list)
{
    return {list.begin(), list.end()};
}

TPrizeClass Class(TByteString label, std::vector<std::string> numbers, TByteString prize, TByteString text = {})
{
    TPrizeClass prizeClass;
    prizeClass.label = std::move(label);
    prizeClass.prize = std::move(prize);
    prizeClass.numbersText = std::move(text);
    for (const auto& number : numbers)
        prizeClass.numbers.push_back(number);
    return prizeClass;
}

// Pieces of data text: ASCII, separators, quotes, 組 and a full-width digit, a code that does
// not survive decoding (87 90), bytes that do not decode at all, a lead byte on its own.
const std::vector<std::string> kPieces = {"0",        "1",        "7",    "9",    "A",        "-",
                                          ",",        " ",        "\"",   "\t",   "\x91\x67", "\x82\x4F",
                                          "\x87\x90", "\xED\x40", "\x80", "\xFD", "\xA0",     "\x81"};

std::string RandomText(std::mt19937& random, std::size_t maxPieces)
{
    std::string text;
    const std::size_t pieces = std::uniform_int_distribution<std::size_t>(0, maxPieces)(random);
    for (std::size_t i = 0; i < pieces; ++i)
        text += kPieces[std::uniform_int_distribution<std::size_t>(0, kPieces.size() - 1)(random)];
    return text;
}

// A label or prize as the editor holds it: the reader drops blanks around a value.
std::string RandomValue(std::mt19937& random)
{
    std::string text = RandomText(random, 12);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.erase(0, 1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.pop_back();
    return text;
}

TLotteryDefinition RandomDefinition(std::mt19937& random)
{
    TLotteryDefinition definition;
    definition.eventName = RandomValue(random);
    const int classes = std::uniform_int_distribution<int>(0, 6)(random);
    for (int c = 0; c < classes; ++c) {
        TPrizeClass prizeClass;
        prizeClass.label = RandomValue(random);
        prizeClass.prize = RandomValue(random);
        // Now and then a list far longer than one value holds.
        const bool longList = std::uniform_int_distribution<int>(0, 4)(random) == 0;
        const int count = std::uniform_int_distribution<int>(1, longList ? 200 : 8)(random);
        for (int n = 0; n < count; ++n)
            prizeClass.numbers.push_back(RandomText(random, 6));
        definition.classes.push_back(std::move(prizeClass));
    }
    return definition;
}

// Each class written comes back as one or more consecutive classes with its label and prize,
// whose numbers together are its numbers.
void ExpectSameClasses(const TLotteryDefinition& written, const TLotteryDefinition& read, const TDefinitionText& text)
{
    ASSERT_EQ(read.eventName, written.eventName);
    std::size_t next = 0;
    std::vector<std::size_t> split;
    for (std::size_t i = 0; i < written.classes.size(); ++i) {
        const TPrizeClass& original = written.classes[i];
        std::vector<std::string> numbers;
        const std::size_t first = next;
        while (numbers.size() < original.numbers.size()) {
            ASSERT_LT(next, read.classes.size()) << "class " << i;
            const TPrizeClass& part = read.classes[next++];
            EXPECT_EQ(part.label, original.label) << "class " << i;
            EXPECT_EQ(part.prize, original.prize) << "class " << i;
            ASSERT_FALSE(part.numbers.empty());
            for (const auto number : part.numbers)
                numbers.emplace_back(number);
        }
        EXPECT_EQ(numbers, Items(original.numbers)) << "class " << i;
        if (next - first > 1)
            split.push_back(i);
    }
    EXPECT_EQ(next, read.classes.size());
    EXPECT_EQ(split, text.splitClasses);
}

} // namespace

TEST(DefinitionWriter, WritesTheFileLayoutWithCrLf)
{
    TLotteryDefinition definition;
    definition.eventName = "Spring draw";
    definition.classes.push_back(Class("First prize", {"456"}, "500"));
    definition.classes.push_back(Class("Last two digits", {"07", "58"}, "20"));
    EXPECT_EQ(FormatDefinition(definition).bytes,
              "[Ver]\r\nNo=2\r\nEVENT=Spring draw\r\n[Hit]\r\n"
              "Hit1=First prize\r\nNo1=456\r\nSHO1=500\r\n"
              "Hit2=Last two digits\r\nNo2=07,58\r\nSHO2=20\r\n");
}

TEST(DefinitionWriter, QuotesWhatTheNumberRuleWouldSplitOrSwallow)
{
    EXPECT_EQ(QuoteNumber("07"), "07");
    EXPECT_EQ(QuoteNumber("9\"9"), "\"9\"\"9\"");
    EXPECT_EQ(QuoteNumber("1,2"), "\"1,2\"");
    EXPECT_EQ(QuoteNumber("1 2"), "\"1 2\"");
    EXPECT_EQ(QuoteNumber("\t"), "\"\t\"");
    EXPECT_EQ(QuoteNumber(""), "\"\"");
    EXPECT_EQ(QuoteNumber("\x91\x67"
                          "12"),
              "\x91\x67"
              "12");
    // Unquoted, a lead byte at the end would take the following comma as its second byte.
    EXPECT_EQ(QuoteNumber("12\x81"), "\"12\x81\"");
    EXPECT_EQ(Items(SplitNumberList(QuoteNumber("12\x81") + "," + QuoteNumber("3"))),
              (std::vector<std::string>{"12\x81", "3"}));
}

TEST(DefinitionWriter, TypedNumbersReadBackExactlyAsTyped)
{
    TDrawDraft draft;
    draft.SetEventName("Draw");
    draft.InsertRow(0);
    draft.SetField(0, TDrawDraft::Field::Label, "A");
    draft.SetField(0, TDrawDraft::Field::Numbers, "07 58,9\"9");
    draft.SetField(0, TDrawDraft::Field::Prize, "100");
    draft.InsertRow(1);
    draft.SetField(1, TDrawDraft::Field::Label, "B");
    // A column pasted from a spreadsheet, with an item that has to be quoted.
    draft.SetField(1, TDrawDraft::Field::Numbers, "11\r\n22\n\"3 3\"\r\n");
    draft.SetField(1, TDrawDraft::Field::Prize, "5");
    EXPECT_EQ(draft.At(1).numbersText, "11,22,\"3 3\"");
    const TLotteryDefinition read = ReadBack(FormatDefinition(draft.ToDefinition()).bytes);
    ASSERT_EQ(read.classes.size(), 2U);
    EXPECT_EQ(Items(read.classes[0].numbers), (std::vector<std::string>{"07", "58", "9\"9"}));
    EXPECT_EQ(read.classes[0].numbersText, "07 58,9\"9");
    EXPECT_EQ(Items(read.classes[1].numbers), (std::vector<std::string>{"11", "22", "3 3"}));
}

TEST(DefinitionWriter, RandomDefinitionsReadBackToTheSameClasses)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        const TLotteryDefinition definition = RandomDefinition(random);
        const TDefinitionText text = FormatDefinition(definition);
        for (std::size_t start = 0; (start = text.bytes.find('\n', start)) != std::string::npos; ++start)
            ASSERT_EQ(text.bytes[start - 1], '\r');
        ExpectSameClasses(definition, ReadBack(text.bytes), text);
        if (HasFatalFailure())
            return;
    }
}

TEST(DefinitionWriter, ReadThenWrittenAgainGivesTheSameDefinition)
{
    const TByteString file = "[Ver]\r\nNo=3\r\nEVENT=\x87\x90\xFD draw\r\n[Hit]\r\n"
                             "Hit1=\x80\x81\r\nNo1=11 22, \"3,3\" ,\r\nSHO1=\xED\x40\r\n"
                             "Hit2=\r\nNo2=,\r\nSHO2=\r\n"
                             "Hit3=x\r\nNo3=\"12\r\nSHO3=y\r\n";
    const TLotteryDefinition first = ReadBack(file);
    ASSERT_EQ(first.classes.size(), 3U);
    const TLotteryDefinition second =
        ReadBack(FormatDefinition(TDrawDraft::FromDefinition(first).ToDefinition()).bytes);
    EXPECT_EQ(second.eventName, first.eventName);
    ASSERT_EQ(second.classes.size(), first.classes.size());
    for (std::size_t i = 0; i < first.classes.size(); ++i) {
        EXPECT_EQ(second.classes[i].label, first.classes[i].label);
        EXPECT_EQ(second.classes[i].numbersText, first.classes[i].numbersText);
        EXPECT_EQ(second.classes[i].prize, first.classes[i].prize);
        EXPECT_EQ(Items(second.classes[i].numbers), Items(first.classes[i].numbers));
    }
}

TEST(DefinitionWriter, LongListsAreSplitIntoConsecutiveClassesOfAtMost255Bytes)
{
    TLotteryDefinition definition;
    std::vector<std::string> numbers;
    for (int i = 0; i < 100; ++i)
        numbers.push_back("A-" + std::to_string(100000 + i)); // 8 bytes each, 9 with the comma
    definition.classes.push_back(Class("one", {"1"}, "p1"));
    definition.classes.push_back(Class("many", numbers, "p2"));
    definition.classes.push_back(Class("last", {"2"}, "p3"));
    const TDefinitionText text = FormatDefinition(definition);
    EXPECT_EQ(text.splitClasses, (std::vector<std::size_t>{1}));
    const TLotteryDefinition read = ReadBack(text.bytes);
    // 28 numbers take 28 * 9 - 1 = 251 bytes, a 29th would not fit: 28 + 28 + 28 + 16.
    ASSERT_EQ(read.classes.size(), 6U);
    for (std::size_t i = 1; i <= 4; ++i) {
        EXPECT_LE(read.classes[i].numbersText.size(), 255U);
        EXPECT_EQ(read.classes[i].label, "many");
        EXPECT_EQ(read.classes[i].prize, "p2");
    }
    EXPECT_EQ(read.classes[1].numbers.size(), 28U);
    EXPECT_EQ(read.classes[4].numbers.size(), 16U);
    EXPECT_EQ(read.classes[5].label, "last");
    ExpectSameClasses(definition, read, text);
}

TEST(DefinitionWriter, ExactlyFullValueIsNotSplit)
{
    TLotteryDefinition definition;
    definition.classes.push_back(Class("full", {std::string(127, '1'), std::string(127, '2')}, "p"));
    const TDefinitionText text = FormatDefinition(definition);
    EXPECT_TRUE(text.splitClasses.empty());
    EXPECT_EQ(ReadBack(text.bytes).classes.at(0).numbersText.size(), 255U);
    definition.classes[0].numbers.push_back("3");
    EXPECT_EQ(FormatDefinition(definition).splitClasses, (std::vector<std::size_t>{0}));
}

TEST(DefinitionWriter, RefusesWhatTheReaderWouldCutOrStopAt)
{
    const auto refusal = [](const TLotteryDefinition& definition) -> std::string {
        try {
            FormatDefinition(definition);
        } catch (const TKelmoraError& error) {
            return error.what();
        }
        return "written";
    };
    TLotteryDefinition definition;
    definition.classes.push_back(Class("a", {"1"}, "p"));
    definition.classes.push_back(Class("b", {}, "p"));
    definition.classes.push_back(Class("c", {"3"}, "p"));
    EXPECT_EQ(refusal(definition).rfind("2 行目の等級に当選番号がありません", 0), 0U) << refusal(definition);

    definition.classes[1] = Class("b", {std::string(254, '9')}, "p");
    EXPECT_EQ(refusal(definition), "written");
    definition.classes[1] = Class("b", {std::string(254, '9') + " "}, "p"); // quoted: 257 bytes
    EXPECT_NE(refusal(definition).find("2 行目の当選番号"), std::string::npos);

    definition.classes[1] = Class(std::string(256, 'L'), {"2"}, "p");
    EXPECT_NE(refusal(definition).find("2 行目の等級が 255 バイトを超えています"), std::string::npos);
    definition.classes[1] = Class("b", {"2"}, "p\r\nq");
    EXPECT_NE(refusal(definition).find("2 行目の賞に改行は使えません"), std::string::npos);
    definition.classes[1] = Class("b", {"2\n"}, "p");
    EXPECT_NE(refusal(definition).find("2 行目の当選番号に改行は使えません"), std::string::npos);
    definition.classes[1] = Class("b", {"2"}, "p");
    definition.eventName = std::string(256, 'E');
    EXPECT_NE(refusal(definition).find("クジの種類の名前が 255 バイトを超えています"), std::string::npos);
}

TEST(DrawDraft, TrailingEmptyRowsAreLeftOutButEmptyRowsBetweenAreRefused)
{
    TDrawDraft draft;
    for (std::size_t i = 0; i < 4; ++i)
        draft.InsertRow(i);
    draft.SetField(0, TDrawDraft::Field::Numbers, "1");
    draft.SetField(2, TDrawDraft::Field::Numbers, "3");
    EXPECT_EQ(draft.ToDefinition().classes.size(), 3U);
    EXPECT_THROW(FormatDefinition(draft.ToDefinition()), TKelmoraError);
    draft.RemoveRow(1);
    EXPECT_EQ(draft.ToDefinition().classes.size(), 2U);
    EXPECT_NO_THROW(FormatDefinition(draft.ToDefinition()));
    // Blanks only: no number at all.
    draft.SetField(1, TDrawDraft::Field::Numbers, "  \t ");
    draft.SetField(1, TDrawDraft::Field::Label, " x ");
    EXPECT_EQ(draft.At(1).label, "x");
    EXPECT_THROW(FormatDefinition(draft.ToDefinition()), TKelmoraError);
}

TEST(DrawDraft, MovesRowsWithinTheTableAndTracksChanges)
{
    TLotteryDefinition definition;
    definition.classes.push_back(Class("a", {"1"}, "p", "1"));
    definition.classes.push_back(Class("b", {"2"}, "q", "2"));
    TDrawDraft draft = TDrawDraft::FromDefinition(definition);
    EXPECT_FALSE(draft.Modified());
    EXPECT_FALSE(draft.MoveRow(0, -1));
    EXPECT_FALSE(draft.MoveRow(1, 1));
    EXPECT_FALSE(draft.Modified());
    EXPECT_TRUE(draft.MoveRow(0, 1));
    EXPECT_EQ(draft.At(0).label, "b");
    EXPECT_EQ(draft.At(1).label, "a");
    EXPECT_TRUE(draft.Modified());
    test::TempDir dir;
    draft.Save(dir.File("d.wkx"));
    EXPECT_FALSE(draft.Modified());
    EXPECT_EQ(LoadDefinition(dir.File("d.wkx")).classes.at(0).label, "b");
}

TEST(DrawDraft, AnEditKeepsTheBytesOfEveryOtherField)
{
    const TByteString file =
        "[Ver]\r\nNo=1\r\nEVENT=\x87\x90\x80\r\n[Hit]\r\nHit1=\xFD\xED\x40\r\nNo1=\x81\x80,12\r\nSHO1=old\r\n";
    TDrawDraft draft = TDrawDraft::FromDefinition(ReadBack(file));
    draft.SetField(0, TDrawDraft::Field::Prize, "new");
    const TByteString written = FormatDefinition(draft.ToDefinition()).bytes;
    EXPECT_EQ(written,
              "[Ver]\r\nNo=1\r\nEVENT=\x87\x90\x80\r\n[Hit]\r\nHit1=\xFD\xED\x40\r\nNo1=\x81\x80,12\r\nSHO1=new\r\n");
}

namespace {

// A value as a file may hold it: blanks around it, a NUL with more after it, codes with a
// twin (ED40 and 8790 decode to characters that encode to other codes), control bytes, values
// longer than the reader takes.
std::string RandomRawValue(std::mt19937& random)
{
    static const std::vector<std::string> kRawPieces = {"1", "7", ",", " ", "\t", "\"", "\x01", "\x1F", "\v", " \0"s,
                                                        "\0"s, "\xED\x40", "\x87\x90", "\x81", "\xFD", "\x91\x67",
                                                        // Long runs, so that the reader's cut at 255 bytes falls
                                                        // anywhere, on a blank or inside a character too.
                                                        std::string(90, '8') + " ", "\x91\x67" + std::string(89, '9')};
    std::string text;
    const std::size_t pieces = std::uniform_int_distribution<std::size_t>(0, 10)(random);
    for (std::size_t i = 0; i < pieces; ++i)
        text += kRawPieces[std::uniform_int_distribution<std::size_t>(0, kRawPieces.size() - 1)(random)];
    return text;
}

void ExpectSameDefinition(const TLotteryDefinition& second, const TLotteryDefinition& first)
{
    EXPECT_EQ(second.eventName, first.eventName);
    ASSERT_EQ(second.classes.size(), first.classes.size());
    for (std::size_t i = 0; i < first.classes.size(); ++i) {
        EXPECT_EQ(second.classes[i].label, first.classes[i].label) << "class " << i;
        EXPECT_EQ(second.classes[i].numbersText, first.classes[i].numbersText) << "class " << i;
        EXPECT_EQ(second.classes[i].prize, first.classes[i].prize) << "class " << i;
        EXPECT_EQ(Items(second.classes[i].numbers), Items(first.classes[i].numbers)) << "class " << i;
    }
}

} // namespace

TEST(DefinitionWriter, AnUntouchedSaveOfAnyReadableFileReadsBackTheSame)
{
    std::mt19937 random(20261209);
    for (int round = 0; round < 600; ++round) {
        SCOPED_TRACE(round);
        const int classes = std::uniform_int_distribution<int>(0, 5)(random);
        std::string file =
            "[Ver]\r\nNo=" + std::to_string(classes) + "\r\nEVENT=" + RandomRawValue(random) + "\r\n[Hit]\r\n";
        for (int n = 1; n <= classes; ++n) {
            const std::string suffix = std::to_string(n);
            file += "Hit" + suffix + "=" + RandomRawValue(random) + "\r\n";
            file += "No" + suffix + "=" + RandomRawValue(random) + "\r\n";
            file += "SHO" + suffix + "=" + RandomRawValue(random) + "\r\n";
        }
        const TLotteryDefinition first = ReadBack(file);
        ExpectSameDefinition(ReadBack(FormatDefinition(TDrawDraft::FromDefinition(first).ToDefinition()).bytes), first);
        if (HasFailure())
            return;
    }
}

TEST(DefinitionWriter, BlanksBeforeANulAndAClassOfSeparatorsOnlyReadBackAsRead)
{
    const TByteString file = "[Ver]\r\nNo=3\r\nEVENT=draw \0x\r\n[Hit]\r\n"
                             "Hit1=1\x93\x99\t\0\r\nNo1=11 \0 22\r\nSHO1=p\r\n"
                             "Hit2=none\r\nNo2=\x01\x02\r\nSHO2=q\r\n"
                             "Hit3=last\r\nNo3=3\r\nSHO3=r\r\n"s;
    const TLotteryDefinition first = ReadBack(file);
    ASSERT_EQ(first.classes.size(), 3U);
    EXPECT_EQ(first.eventName, "draw ");
    EXPECT_TRUE(first.classes[1].numbers.empty());
    const TDefinitionText text = FormatDefinition(TDrawDraft::FromDefinition(first).ToDefinition());
    EXPECT_NE(text.bytes.find("EVENT=draw \0\r\n"s), std::string::npos);
    ExpectSameDefinition(ReadBack(text.bytes), first);
}

TEST(DrawDraft, EditsThatWereUndoneAreNoChange)
{
    TLotteryDefinition definition;
    definition.eventName = "e";
    definition.classes.push_back(Class("a", {"1"}, "p", "1"));
    TDrawDraft draft = TDrawDraft::FromDefinition(definition);
    draft.SetField(0, TDrawDraft::Field::Prize, "changed");
    EXPECT_TRUE(draft.Modified());
    draft.SetField(0, TDrawDraft::Field::Prize, "p");
    EXPECT_FALSE(draft.Modified());
    draft.InsertRow(1);
    EXPECT_FALSE(draft.Modified()) << "an empty row at the end is not written";
    draft.SetEventName("f");
    draft.SetEventName("e");
    EXPECT_FALSE(draft.Modified());
    EXPECT_TRUE(draft.MoveRow(0, 1));
    EXPECT_TRUE(draft.Modified()) << "an empty row before a class is";
}
