#include "ui/text/Cp932.h"

#include "core/text/Cp932ToUtf8.h"
#include "core/base/KelmoraError.h"
#include "tests/support/ShiftJis.h"
#include "ui/ErrorBox.h"

#include <QStringDecoder>
#include <QStringList>

#include <gtest/gtest.h>

#include <random>

using namespace kelmora::test;

namespace kelmora::ui {
namespace {

std::string Hex(const std::string& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += digits[byte >> 4];
        text += digits[byte & 15];
        text += ' ';
    }
    return text;
}

std::string RefusalOf(QStringView typed)
{
    try {
        EncodeCp932(typed);
    } catch (const TKelmoraError& error) {
        return error.what();
    }
    return "<accepted>";
}

TEST(Cp932Test, DecodesEachUnitToOneCharacter)
{
    EXPECT_EQ(DecodeCp932(kKumiTicket + "\xB1"), QStringLiteral("12組345ｱ"));
    // Line ends of every kind show as one line break each.
    EXPECT_EQ(DecodeCp932("a\r\nb\rc\nd\n\r"), QStringLiteral("a\nb\nc\nd\n\n"));
    // Bytes that do not decode stay visible, one replacement each, and never eat a neighbour.
    EXPECT_EQ(DecodeCp932("\x80"
                          "A\xA0\xFD\xFE\xFF"
                          "B\x81"),
              QStringLiteral("\uFFFDA\uFFFD\uFFFD\uFFFD\uFFFDB\uFFFD"));
    EXPECT_EQ(DecodeCp932("\x81\x20"), QStringLiteral("\uFFFD "));
    // An unassigned code with a valid trail byte is one unit.
    EXPECT_EQ(DecodeCp932("\x85\x40"
                          "A"),
              QStringLiteral("\uFFFDA"));
    // Codes that do not survive a round trip still show as what they are.
    EXPECT_EQ(DecodeCp932("\x87\x90\xED\x40"), QStringLiteral("≒纊"));
}

TEST(Cp932Test, UnitOffsetsMatchDecodedPositions)
{
    const std::string bytes = "a\r\n\x91\x67\x80z\r";
    ASSERT_EQ(DecodeCp932(bytes).size(), 6);
    const std::size_t expected[] = {0, 1, 3, 5, 6, 7, 8};
    for (std::size_t units = 0; units <= 6; ++units)
        EXPECT_EQ(Cp932UnitOffset(bytes, units), expected[units]) << units;
    EXPECT_EQ(Cp932UnitOffset(bytes, 99), bytes.size());
}

TEST(Cp932Test, AgreesWithThePlatformConverterOnEveryCode)
{
    QStringDecoder platform("CP932", QStringConverter::Flag::Stateless);
    for (int byte = 0; byte < 0x100; ++byte) {
        const char bytes[1] = {static_cast<char>(byte)};
        // ASCII as Windows has it, where the platform's table swaps 1A, 1C and 7F.
        if (byte < 0x80 && byte != '\r' && byte != '\n') {
            EXPECT_EQ(DecodeCp932(std::string_view(bytes, 1)), QString(QChar(byte))) << byte;
        } else if (byte >= 0xA1 && byte <= 0xDF) {
            EXPECT_EQ(DecodeCp932(std::string_view(bytes, 1)), platform.decode(QByteArrayView(bytes, 1))) << byte;
        }
    }
    int decodable = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead >= 0xA0 && lead <= 0xDF)
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F)
                continue;
            const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const QString ours = DecodeCp932(std::string_view(bytes, 2));
            ASSERT_EQ(ours.size(), 1);
            if (ours[0] == QChar(0xFFFD))
                continue;
            ++decodable;
            EXPECT_EQ(ours, platform.decode(QByteArrayView(bytes, 2))) << Hex(std::string(bytes, 2));
        }
    }
    EXPECT_EQ(decodable, 9604);
}

// The window shows what kelmora-check's UTF-8 forms write: the same decoder, over random bytes
// heavy in lead bytes, with only the line ends told apart (the window shows each as one break).
TEST(Cp932Test, ShowsWhatTheUtf8FormsWrite)
{
    std::mt19937 random(5);
    const std::string pool = "A1\r\n\x40\x5C\x7E\x80\x81\x82\x88\x9F\xA0\xB1\xDF\xE0\xEA\xFC\xFD\xFF";
    for (int round = 0; round < 3000; ++round) {
        std::string bytes;
        for (std::size_t n = std::uniform_int_distribution<std::size_t>(0, 16)(random); n > 0; --n)
            bytes += pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random)];
        std::string utf8;
        AppendCp932AsUtf8(bytes, utf8);
        std::string lines;
        for (std::size_t i = 0; i < utf8.size(); ++i) {
            if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')
                continue;
            lines += utf8[i] == '\r' ? '\n' : utf8[i];
        }
        ASSERT_EQ(DecodeCp932(bytes).toStdString(), lines) << Hex(bytes);
    }
}

// kelmora-check writes what the window shows, line ends aside (the window shows CR LF, CR and
// LF each as one line break): the two decoders agree on every byte and every pair of bytes.
TEST(Cp932Test, TheBatchCheckersDecoderAgreesOnEverySequence)
{
    int disagreements = 0;
    const auto compare = [&](std::string_view bytes) {
        std::string batch;
        const bool whole = AppendCp932AsUtf8(bytes, batch);
        for (std::size_t cr; (cr = batch.find('\r')) != std::string::npos;)
            batch.replace(cr, batch.compare(cr, 2, "\r\n") == 0 ? 2 : 1, "\n");
        const QString shown = DecodeCp932(bytes);
        if (shown.toStdString() != batch || whole == shown.contains(QChar(0xFFFD))) {
            if (++disagreements <= 10)
                ADD_FAILURE() << Hex(std::string(bytes)) << "shown as " << shown.toStdString() << ", written as "
                              << batch << (whole ? "" : " (not whole)");
        }
    };
    for (unsigned first = 0; first < 0x100; ++first) {
        const char one[1] = {static_cast<char>(first)};
        compare(std::string_view(one, 1));
        for (unsigned second = 0; second < 0x100; ++second) {
            const char two[2] = {static_cast<char>(first), static_cast<char>(second)};
            compare(std::string_view(two, 2));
        }
    }
    EXPECT_EQ(disagreements, 0);
}

TEST(Cp932Test, EncodesTypedText)
{
    EXPECT_EQ(EncodeCp932(u"12組345"), kKumiTicket);
    EXPECT_EQ(EncodeCp932(u"a\nb"), "a\r\nb");
    EXPECT_EQ(EncodeCp932(u"ｱ\\~"), "\xB1\\~");
    EXPECT_EQ(EncodeCp932(u"\x1a\x1c\x7f"), "\x1a\x1c\x7f");
    // The converter's choice among duplicate codes.
    EXPECT_EQ(Hex(EncodeCp932(u"≒")), "81 E0 ");
    // The JIS forms that input methods type take the code page's codes.
    EXPECT_EQ(Hex(EncodeCp932(u"〜−¥")), "81 60 81 7C 5C ");
    EXPECT_EQ(Hex(EncodeCp932(u"～－")), "81 60 81 7C ");
}

TEST(Cp932Test, RefusesWhatShiftJisCannotHold)
{
    EXPECT_EQ(RefusalOf(u"abé"), "「é」(U+00E9) はシフトJISで表せないため、受け付けられません");
    EXPECT_EQ(RefusalOf(QString::fromUtf8("12\xF0\xA0\xAE\xB7")),
              "「\xF0\xA0\xAE\xB7」(U+20BB7) はシフトJISで表せないため、受け付けられません");
    EXPECT_NE(RefusalOf(QString::fromUtf8("\xF0\x9F\x8E\xB0")), "<accepted>");
    EXPECT_NE(RefusalOf(QString(QChar(0xD800))), "<accepted>");
    EXPECT_THROW(EncodeTicketNumber(u"12\n34"), TKelmoraError);
    EXPECT_THROW(EncodeTicketNumber(u"12\r"), TKelmoraError);
}

// `original` edited into `typed` as the user would see it.
std::string Edited(const std::string& original, const QString& typed)
{
    return EncodeCp932Edit(original, typed);
}

TEST(Cp932EditTest, WhatTheUserLeftAloneKeepsItsBytes)
{
    // ED40 and 8790 decode to characters whose own codes are others (FA5C, 81E0).
    const std::string twins = "\xED\x40"
                              "1,\x87\x90"
                              "2";
    const QString shown = DecodeCp932(twins);
    EXPECT_EQ(Hex(EncodeCp932(shown)), "FA 5C 31 2C 81 E0 32 ");
    EXPECT_EQ(Edited(twins, shown), twins);
    EXPECT_EQ(Edited(twins, shown + QStringLiteral(",999")), twins + ",999");
    EXPECT_EQ(Edited(twins, QStringLiteral("0,") + shown), "0," + twins);
    // Within a changed part, each number that was there as it is keeps its bytes.
    const QStringList numbers = shown.split(u',');
    EXPECT_EQ(Edited(twins, numbers[1] + QStringLiteral(" 5 ") + numbers[0]),
              "\x87\x90"
              "2 5 \xED\x40"
              "1");
    // A character typed anew takes the platform's code.
    EXPECT_EQ(Hex(Edited("7", QStringLiteral("7") + shown.front())), "37 FA 5C ");
}

TEST(Cp932EditTest, BytesThatDoNotDecodeCanBeEditedAroundButNotTyped)
{
    const std::string odd = "1\xFD"
                            "2";
    const QString shown = DecodeCp932(odd);
    ASSERT_EQ(shown, QStringLiteral("1\uFFFD2"));
    EXPECT_EQ(Edited(odd, shown + QStringLiteral(",3")), odd + ",3");
    EXPECT_EQ(Edited(odd, QStringLiteral("\uFFFD2")),
              "\xFD"
              "2");
    try {
        Edited(odd, shown + QStringLiteral("\uFFFD"));
        ADD_FAILURE() << "a new U+FFFD was taken";
    } catch (const TKelmoraError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("読み取れないバイト"), std::string::npos) << message;
        EXPECT_EQ(message.find("U+FFFD"), std::string::npos) << message;
    }
    // A lone lead byte would take a new character after it as its second byte: the edit is
    // encoded whole, and so refused rather than saved as another character.
    EXPECT_THROW(Edited("1\x81", DecodeCp932("1\x81") + QStringLiteral("A")), TKelmoraError);
    EXPECT_EQ(Edited("1\x81", DecodeCp932("1\x81") + QStringLiteral(",")), "1\x81,");
}

TEST(Cp932Test, ATicketNumberWithANulIsRefused)
{
    const QString withNul = QStringLiteral("12") + QChar(0) + QStringLiteral("3");
    try {
        EncodeTicketNumber(withNul);
        ADD_FAILURE() << "a NUL was taken into a ticket number";
    } catch (const TKelmoraError& error) {
        EXPECT_EQ(QString::fromUtf8(error.what()),
                  QStringLiteral("「␀」(U+0000) はシフトJISで表せないため、受け付けられません"));
    }
    EXPECT_THROW(EncodeCp932(QString(QChar(0))), TKelmoraError);
}

TEST(ErrorBoxTest, ClosingPeriodFollowsTheLastCharacter)
{
    EXPECT_EQ(WithClosingPeriod(QStringLiteral("ファイル /x は開けません")),
              QStringLiteral("ファイル /x は開けません."));
    EXPECT_EQ(WithClosingPeriod(QStringLiteral("I/O エラー (5)")), QStringLiteral("I/O エラー (5)"));
    EXPECT_EQ(WithClosingPeriod(QStringLiteral("done.")), QStringLiteral("done."));
    EXPECT_EQ(WithClosingPeriod(QStringLiteral("x/")), QStringLiteral("x/."));
    EXPECT_EQ(WithClosingPeriod(QStringLiteral("-")), QStringLiteral("-"));
    EXPECT_EQ(WithClosingPeriod(QString()), QString());
}

} // namespace
} // namespace kelmora::ui
