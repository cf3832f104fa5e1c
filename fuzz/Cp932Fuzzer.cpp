// The Shift-JIS boundary of the user interface. The first input byte picks the direction:
// even, the rest is data bytes shown on screen; odd, the rest is UTF-16 text the user typed.

#include "core/base/KelmoraError.h"
#include "fuzz/FuzzCheck.h"
#include "ui/text/Cp932.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

using namespace kelmora;
using namespace kelmora::ui;

namespace {

std::optional<TByteString> TryEncode(QStringView text)
{
    try {
        return EncodeCp932(text);
    } catch (const TKelmoraError&) {
        return std::nullopt;
    }
}

std::optional<TByteString> TryEncodeTicketNumber(QStringView text)
{
    try {
        return EncodeTicketNumber(text);
    } catch (const TKelmoraError&) {
        return std::nullopt;
    }
}

// Every CR is followed by LF and every LF follows a CR: the line ends the log uses.
bool OnlyCrLfLineEnds(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))
            return false;
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            return false;
    }
    return true;
}

// What typed text looks like once stored and shown again: a CR shows as a line end, and the
// JIS forms of a few characters come back in the code page's forms.
char16_t AsShown(char16_t c)
{
    switch (c) {
    case u'\r':
        return u'\n';
    case u'\u301C':
        return u'\uFF5E';
    case u'\u2016':
        return u'\u2225';
    case u'\u2212':
        return u'\uFF0D';
    case u'\u2014':
        return u'\u2015';
    case u'\u00A2':
        return u'\uFFE0';
    case u'\u00A3':
        return u'\uFFE1';
    case u'\u00AC':
        return u'\uFFE2';
    case u'\u00A5':
        return u'\\'; // stored as 5C, which shows as the backslash
    case u'\u203E':
        return u'~';
    default:
        return c;
    }
}

void FuzzShownBytes(std::string_view data)
{
    // Values in the core never hold a NUL.
    const std::string_view bytes = data.substr(0, data.find('\0'));
    const QString text = DecodeCp932(bytes);

    // One unit per character, line end or stray byte, so every position maps to a byte offset.
    FUZZ_CHECK(static_cast<std::size_t>(text.size()) <= bytes.size());
    FUZZ_CHECK(Cp932UnitOffset(bytes, static_cast<std::size_t>(text.size())) == bytes.size());
    FUZZ_CHECK(Cp932UnitOffset(bytes, static_cast<std::size_t>(text.size()) + 3) == bytes.size());
    if (!text.isEmpty()) {
        const std::size_t units = static_cast<std::size_t>(text.size());
        for (const std::size_t unit : {std::size_t{0}, units / 3, units / 2, units - 1, bytes.size() % units}) {
            const std::size_t at = Cp932UnitOffset(bytes, unit);
            const std::size_t next = Cp932UnitOffset(bytes, unit + 1);
            FUZZ_CHECK(next > at && next - at <= 2);
            FUZZ_CHECK(DecodeCp932(bytes.substr(at, next - at)) == QString(text.at(static_cast<qsizetype>(unit))));
        }
    }
    bool decodable = true;
    for (const QChar c : text) {
        FUZZ_CHECK(!c.isSurrogate());
        decodable = decodable && c != QChar(0xFFFD);
    }
    if (!decodable)
        return;

    // Text that decoded whole can be stored again, and is shown again as it was.
    const auto stored = TryEncode(text);
    FUZZ_CHECK(stored.has_value());
    FUZZ_CHECK(OnlyCrLfLineEnds(*stored));
    FUZZ_CHECK(DecodeCp932(*stored) == text);
}

void FuzzTypedText(std::string_view data)
{
    QString text(static_cast<qsizetype>(data.size() / 2), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto at = 2 * static_cast<std::size_t>(i);
        text[i] = QChar(static_cast<char16_t>(static_cast<unsigned char>(data[at]) |
                                              static_cast<unsigned char>(data[at + 1]) << 8));
    }

    const auto stored = TryEncode(text);
    if (stored) {
        FUZZ_CHECK(stored->find('\0') == std::string::npos);
        const QString shown = DecodeCp932(*stored);
        FUZZ_CHECK(shown.size() == text.size());
        for (qsizetype i = 0; i < text.size(); ++i)
            FUZZ_CHECK(shown.at(i).unicode() == AsShown(text.at(i).unicode()));
    } else {
        // A refusal names a character that is refused on its own too.
        bool found = false;
        for (qsizetype i = 0; i < text.size() && !found; ++i) {
            const QChar c = text.at(i);
            found = c.isSurrogate() || c.isNull() || !TryEncode(QStringView(&c, 1));
        }
        FUZZ_CHECK(found);
    }

    // A ticket number is one line: no line break goes in, and otherwise it is stored alike.
    const auto ticket = TryEncodeTicketNumber(text);
    if (text.contains(u'\n') || text.contains(u'\r'))
        FUZZ_CHECK(!ticket);
    else
        FUZZ_CHECK(ticket == stored);
    if (ticket)
        FUZZ_CHECK(ticket->find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    if ((data[0] & 1) == 0)
        FuzzShownBytes(rest);
    else
        FuzzTypedText(rest);
    return 0;
}
