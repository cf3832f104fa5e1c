#include "core/text/Cp932ToUtf8.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

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

namespace {
// Bytes heavy in what makes decoding hard: lead bytes, bytes that are lead and trail alike,
// trail bytes that are ASCII, line ends and bytes that are no character.
std::string RandomCp932(std::mt19937& random, std::size_t most)
{
    static const std::string pool = "A1 \r\n\x40\x5C\x7E\x80\x81\x82\x88\x9F\xA0\xB1\xDF\xE0\xEA\xFC\xFD\xFF";
    std::string bytes;
    for (std::size_t n = std::uniform_int_distribution<std::size_t>(0, most)(random); n > 0; --n)
        bytes += pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random)];
    return bytes;
}
} // namespace

// Text written in pieces decodes as the one text the pieces make, wherever they are cut.
TEST(Cp932ToUtf8, PiecesDecodeAsTheWholeText)
{
    std::mt19937 random(20);
    for (int round = 0; round < 2000; ++round) {
        const std::string bytes = RandomCp932(random, 24);
        std::string whole;
        const bool wholeDecoded = AppendCp932AsUtf8(bytes, whole);
        std::string pieces;
        std::string carry;
        bool piecesDecoded = true;
        for (std::size_t at = 0; at < bytes.size();) {
            const std::size_t size = std::uniform_int_distribution<std::size_t>(1, 4)(random);
            piecesDecoded = AppendCp932AsUtf8(std::string_view(bytes).substr(at, size), pieces, carry) && piecesDecoded;
            at += size;
        }
        piecesDecoded = AppendCp932AsUtf8({}, pieces, carry) && piecesDecoded;
        ASSERT_EQ(pieces, whole) << round;
        EXPECT_EQ(piecesDecoded, wholeDecoded) << round;
        EXPECT_TRUE(carry.empty());
    }
}
