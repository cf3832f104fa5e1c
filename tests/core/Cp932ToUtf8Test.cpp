#include "core/Cp932ToUtf8.h"

#include <gtest/gtest.h>

#include <memory>

using kelmora::AppendCp932AsUtf8;

namespace {
std::string Utf8(std::string_view cp932, bool* decoded = nullptr)
{
    std::string out = ">";
    const bool ok = AppendCp932AsUtf8(cp932, out);
    if (decoded)
        *decoded = ok;
    return out;
}
} // namespace

TEST(Cp932ToUtf8, CharactersOfEachKind)
{
    bool decoded = false;
    EXPECT_EQ(Utf8("12\\~\t\r\n", &decoded), ">12\\~\t\r\n"); // ASCII as it is, the yen byte too
    EXPECT_TRUE(decoded);
    EXPECT_EQ(Utf8("\x82\xA0\x91\x67\x83\x5C", &decoded), ">あ組ソ"); // ソ has a backslash trail byte
    EXPECT_TRUE(decoded);
    EXPECT_EQ(Utf8("\xB1\xDF"), ">ｱﾟ");                   // half-width katakana
    EXPECT_EQ(Utf8("\x87\x40\xED\x40\xFA\x40"), ">①纊ⅰ"); // NEC and IBM extensions
    EXPECT_EQ(Utf8("\x81\x60"), ">～");
}

TEST(Cp932ToUtf8, BytesThatAreNoCharacterBecomeReplacementCharacters)
{
    bool decoded = true;
    EXPECT_EQ(Utf8("\xFF"
                   "1",
                   &decoded),
              ">\uFFFD1");
    EXPECT_FALSE(decoded);
    EXPECT_EQ(Utf8("1\x81"), ">1\uFFFD");     // lead byte at the end
    EXPECT_EQ(Utf8("\x81\t2"), ">\uFFFD\t2"); // lead byte without a trail byte
    EXPECT_EQ(Utf8("\x85\x40"
                   "3"),
              ">\uFFFD"
              "3"); // an unassigned pair is one character
    EXPECT_EQ(Utf8("\xA0\xFD"), ">\uFFFD\uFFFD");
    EXPECT_TRUE(AppendCp932AsUtf8("", *std::make_unique<std::string>()));
}
