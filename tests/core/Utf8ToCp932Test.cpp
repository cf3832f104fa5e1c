// UTF-8 read into code page 932: the code Windows gives each character, the lines of bad input
// named, and a draw saved as UTF-8 with a byte order mark read as its Shift-JIS twin.

#include "core/text/Utf8ToCp932.h"

#include "core/text/Cp932ToUtf8.h"
#include "core/base/KelmoraError.h"
#include "core/draw/LotteryDefinition.h"
#include "tests/core/TestFiles.h"
#include "tests/support/Iconv.h"

#include <gtest/gtest.h>

#include <utility>

using namespace kelmora;
using namespace kelmora::test;

namespace {

std::string ErrorOf(std::string_view utf8)
{
    try {
        Utf8ToCp932(utf8, "in.txt");
    } catch (const TKelmoraError& error) {
        return error.what();
    }
    return "no error";
}

} // namespace

TEST(Utf8ToCp932, EveryCharacterComesBackAsTheCodeThatDecodesToIt)
{
    // Each code that decodes, decoded and encoded again, decodes to the same character; the
    // C library's converter, which takes the same codes, agrees.
    ForEachNonAsciiCp932Code([](unsigned, const char* bytes, std::size_t size) {
        std::string utf8;
        if (!AppendCp932AsUtf8(std::string_view(bytes, size), utf8))
            return;
        const TByteString encoded = Utf8ToCp932(utf8, "t");
        std::string again;
        ASSERT_TRUE(AppendCp932AsUtf8(encoded, again));
        ASSERT_EQ(again, utf8);
        ASSERT_EQ(encoded, Sjis(utf8)) << utf8;
    });
    EXPECT_EQ(Utf8ToCp932("\xEF\xBB\xBF"
                          "12組345678\r\nｶﾅ\r\n",
                          "t"),
              Sjis("12組345678\r\nｶﾅ\r\n"));
}

TEST(Utf8ToCp932, CharactersWithSeveralCodesTakeTheOneWindowsWrites)
{
    EXPECT_EQ(Utf8ToCp932("≒", "t"), "\x81\xE0");  // not NEC's 87 90
    EXPECT_EQ(Utf8ToCp932("Ⅰ", "t"), "\x87\x54");  // NEC's row before IBM's FA 4A
    EXPECT_EQ(Utf8ToCp932("ⅰ", "t"), "\xFA\x40");  // IBM's, not NEC's copy EE EF
    EXPECT_EQ(Utf8ToCp932("￢", "t"), "\x81\xCA"); // not EE F9 or FA 54
    EXPECT_EQ(Utf8ToCp932("～", "t"), "\x81\x60");
}

// Characters code page 932 lacks are written as Windows writes them; each form decodes to a
// character the draw's and tickets' readers take alike.
TEST(Utf8ToCp932, CharactersWithoutACodeTakeWindowsBestFit)
{
    const std::pair<const char*, const char*> cases[] = {
        {"¥300", "\x5C" "300"}, {"‾", "~"},         {"〜", "\x81\x60"}, {"—", "\x81\x5C"}, {"−", "\x81\x7C"},
        {"‖", "\x81\x61"},     {"¢£¬", "\x81\x91\x81\x92\x81\xCA"}, {"Café Señor", "Cafe Senor"}, {"µ", "\x83\xCA"},
        {"«»", "\x81\xE1\x81\xE2"}, {"\xC2\xA0", " "},
    };
    for (const auto& [utf8, cp932] : cases)
        EXPECT_EQ(Utf8ToCp932(utf8, "t"), cp932) << utf8;
    // A character the code page has keeps its own code: the full-width yen sign is not 5C.
    EXPECT_EQ(Utf8ToCp932("￥", "t"), "\x81\x8F");
}

TEST(Utf8ToCp932, BadInputNamesItsLine)
{
    // Line ends as line files count them: CR LF, CR, LF.
    EXPECT_EQ(ErrorOf("a\r\nb\rc\nd\xC0\x80"), "in.txt の 4 行目は UTF-8 の文字になっていません");
    for (const char* bad : {"\xFF", "\xC3", "\xE3\x81", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80", "\xE0\x80\xAF"})
        EXPECT_EQ(ErrorOf(std::string("x\n") + bad), "in.txt の 2 行目は UTF-8 の文字になっていません")
            << static_cast<int>(static_cast<unsigned char>(bad[0]));
    EXPECT_EQ(ErrorOf("ok\n\n𠮷"), "in.txt の 3 行目の文字「𠮷」は Shift-JIS で表せません");
    EXPECT_EQ(ErrorOf("ก"), "in.txt の 1 行目の文字「ก」は Shift-JIS で表せません");

    try {
        Utf8ToCp932("1\n2\nก", "/x/in.txt");
        FAIL();
    } catch (const TKelmoraError& error) {
        // Kept apart, so that kelmora-check can say it in English.
        EXPECT_EQ(error.Format(), messages::kNoShiftJisForm);
        EXPECT_EQ(error.Arguments(), (std::vector<std::string>{"/x/in.txt", "3", "ก"}));
    }
}

TEST(LoadDefinition, AUtf8DrawWithAByteOrderMarkReadsAsShiftJis)
{
    TempDir dir;
    const std::string text =
        "[Ver]\r\nNo=1\r\nEVENT=年末ジャンボ\r\n[Hit]\r\nHit1=1等\r\nNo1=12組345678 ①\r\nSHO1=7億円\r\n";
    WriteBytes(dir.File("sjis.wkx"), Sjis(text));
    WriteBytes(dir.File("utf8.wkx"), "\xEF\xBB\xBF" + text);
    const TLotteryDefinition sjis = LoadDefinition(dir.File("sjis.wkx"));
    const TLotteryDefinition utf8 = LoadDefinition(dir.File("utf8.wkx"));
    EXPECT_EQ(utf8.eventName, Sjis("年末ジャンボ"));
    ASSERT_EQ(utf8.classes.size(), 1u);
    EXPECT_EQ(utf8.classes[0].numbers, sjis.classes[0].numbers);
    EXPECT_EQ(utf8.classes[0].label, sjis.classes[0].label);
    EXPECT_EQ(utf8.classes[0].prize, sjis.classes[0].prize);
    // The yen sign, which Windows writes as 5C.
    WriteBytes(dir.File("yen.wkx"), "\xEF\xBB\xBF[Ver]\nNo=1\n[Hit]\nHit1=A\nNo1=5\nSHO1=¥300\n");
    WriteBytes(dir.File("yen5c.wkx"), "[Ver]\nNo=1\n[Hit]\nHit1=A\nNo1=5\nSHO1=\x5C" "300\n");
    ASSERT_EQ(LoadDefinition(dir.File("yen.wkx")).classes.size(), 1u);
    EXPECT_EQ(LoadDefinition(dir.File("yen.wkx")).classes[0].prize, LoadDefinition(dir.File("yen5c.wkx")).classes[0].prize);

    // Refused with the file and line, not shown as an empty draw; a missing file still is one.
    WriteBytes(dir.File("lacking.wkx"), "\xEF\xBB\xBF[Ver]\nNo=1\nEVENT=กฎ\n");
    try {
        LoadDefinition(dir.File("lacking.wkx"));
        FAIL();
    } catch (const TKelmoraError& error) {
        EXPECT_EQ(std::string(error.what()),
                  dir.File("lacking.wkx") + " の 3 行目の文字「ก」は Shift-JIS で表せません");
    }
    EXPECT_TRUE(LoadDefinition(dir.File("none.wkx")).classes.empty());
}

TEST(KelmoraError, TemplatesAreFilledInOrder)
{
    EXPECT_EQ(FillFormat("%s と %s", {"a", "b%s"}), "a と b%s");
    EXPECT_EQ(FillFormat("%s と %s", {"a"}), "a と %s");
    EXPECT_EQ(FillFormat("100%", {}), "100%");
    const TKelmoraError plain("そのまま");
    EXPECT_EQ(plain.Format(), "そのまま");
    EXPECT_TRUE(plain.Arguments().empty());
}
