#include "ui/text/Cp932.h"

#include "core/base/ByteString.h"
#include "core/text/Cp932ToUtf8.h"
#include "core/base/KelmoraError.h"

#include <QHash>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace kelmora::ui {
namespace {

constexpr char16_t kNoCharacter = 0xFFFD;
constexpr std::uint16_t kNoCode = 0xFFFF;

// What a code decodes to, by the core's decoder, which kelmora-check's UTF-8 forms use too.
char16_t Decoded(const char* bytes, std::size_t size)
{
    char16_t c = 0;
    DecodeCp932At(std::string_view(bytes, size), 0, c);
    return c;
}

// The way back from Unicode, taken once from the platform's converter: where several codes
// decode to one character (NEC and IBM duplicates) the platform's encoder picks the code, as
// any other program writing code page 932 would.
struct TCp932Encoding {
    std::array<std::uint16_t, 0x10000> code{}; // by UTF-16 unit; below 0x100 one byte

    TCp932Encoding()
    {
        code.fill(kNoCode);
        // ASCII is itself in code page 932 as Windows has it; the converter's table would swap
        // three control codes (1A, 1C, 7F) as IBM's variant does.
        for (unsigned byte = 0; byte < 0x80; ++byte)
            code[byte] = static_cast<std::uint16_t>(byte);
        QStringEncoder encoder("CP932", QStringConverter::Flag::Stateless);
        ForEachNonAsciiCp932Code([&](unsigned, const char* bytes, std::size_t size) {
            const char16_t c = Decoded(bytes, size);
            if (c == kNoCharacter || code[c] != kNoCode)
                return;
            const QChar qc(c);
            const QByteArray encoded = encoder.encode(QStringView(&qc, 1));
            // An unmappable character comes out as a substitute, which decodes to another.
            if (encoded.isEmpty() || encoded.size() > 2 ||
                Decoded(encoded.constData(), static_cast<std::size_t>(encoded.size())) != c)
                return;
            code[c] = encoded.size() == 1 ? static_cast<std::uint16_t>(static_cast<unsigned char>(encoded[0]))
                                          : static_cast<std::uint16_t>(static_cast<unsigned char>(encoded[0]) << 8 |
                                                                       static_cast<unsigned char>(encoded[1]));
        });
        // Linux keyboards and input methods type the JIS forms of these; they are the same
        // characters as the code page's own forms, so they take the same codes (the yen key
        // gives 5C, as it does on the systems that write these files).
        const std::pair<char16_t, char16_t> jisForms[] = {
            {u'\u00A5', u'\\'},     // yen sign
            {u'\u203E', u'~'},      // overline
            {u'\u301C', u'\uFF5E'}, // wave dash
            {u'\u2016', u'\u2225'}, // double vertical line
            {u'\u2212', u'\uFF0D'}, // minus sign
            {u'\u2014', u'\u2015'}, // em dash
            {u'\u00A2', u'\uFFE0'}, // cent sign
            {u'\u00A3', u'\uFFE1'}, // pound sign
            {u'\u00AC', u'\uFFE2'}, // not sign
        };
        for (const auto& [jis, ms] : jisForms)
            if (code[jis] == kNoCode)
                code[jis] = code[ms];
    }
};

const TCp932Encoding& Encoding()
{
    static const auto encoding = std::make_unique<TCp932Encoding>();
    return *encoding;
}

// Hands the unit at `i` to `sink` and returns the index after it.
template <typename Sink>
std::size_t NextUnit(std::string_view bytes, std::size_t i, Sink&& sink)
{
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte == '\r') {
        sink(u'\n');
        return i + 1 < bytes.size() && bytes[i + 1] == '\n' ? i + 2 : i + 1;
    }
    char16_t c = 0;
    const std::size_t next = DecodeCp932At(bytes, i, c);
    sink(c);
    return next;
}

QString CodePointText(char32_t codePoint)
{
    // A control character is shown by its picture: a NUL would end the message text itself.
    if (codePoint < 0x20)
        return QChar(static_cast<char16_t>(0x2400 + codePoint));
    return QString::fromUcs4(&codePoint, 1);
}

[[noreturn]] void RefuseCharacter(char32_t codePoint)
{
    if (codePoint == kNoCharacter)
        throw TKelmoraError("「\uFFFD」は読み取れないバイトの印です。そのバイトは元の場所のまま保存されますが、"
                            "入力したり別の場所へ移したりはできません");
    const QString hex = QString::number(static_cast<uint>(codePoint), 16).toUpper().rightJustified(4, u'0');
    const QString text =
        QStringLiteral("「%1」(U+%2) はシフトJISで表せないため、受け付けられません").arg(CodePointText(codePoint), hex);
    throw TKelmoraError(text.toStdString());
}

} // namespace

QString DecodeCp932(std::string_view bytes)
{
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    char16_t* const begin = out;
    for (std::size_t i = 0; i < bytes.size();)
        i = NextUnit(bytes, i, [&](char16_t c) { *out++ = c; });
    text.truncate(out - begin);
    return text;
}

std::size_t Cp932UnitOffset(std::string_view bytes, std::size_t units)
{
    std::size_t i = 0;
    for (std::size_t unit = 0; unit < units && i < bytes.size(); ++unit)
        i = NextUnit(bytes, i, [](char16_t) {});
    return i;
}

TByteString EncodeCp932(QStringView text)
{
    const TCp932Encoding& tables = Encoding();
    TByteString bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()) * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\n') {
            bytes += kCrLf;
            continue;
        }
        if (QChar::isSurrogate(c)) {
            const bool pair = QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate();
            RefuseCharacter(pair ? QChar::surrogateToUcs4(c, text[i + 1].unicode()) : c);
        }
        const std::uint16_t code = tables.code[c];
        if (code == kNoCode || c == 0)
            RefuseCharacter(c);
        if (code >= 0x100)
            bytes += static_cast<char>(code >> 8);
        bytes += static_cast<char>(code & 0xFF);
    }
    return bytes;
}

namespace {

// Where each unit of `bytes` starts, and bytes.size() after the last.
std::vector<std::size_t> UnitOffsets(std::string_view bytes)
{
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < bytes.size();) {
        offsets.push_back(i);
        i = NextUnit(bytes, i, [](char16_t) {});
    }
    offsets.push_back(bytes.size());
    return offsets;
}

bool SeparatesNumbers(QChar c)
{
    return c == u',' || c.unicode() <= 32;
}

// `text`, a part of the edited text, with each of its words that appears in `shown` (the
// decoded original, whose units start at `offsets` in `original`) given the original's bytes.
TByteString EncodeWords(QStringView text, std::string_view original, QStringView shown,
                        const std::vector<std::size_t>& offsets)
{
    QHash<QStringView, std::string_view> words;
    for (qsizetype i = 0; i < shown.size();) {
        qsizetype end = i;
        while (end < shown.size() && !SeparatesNumbers(shown[end]))
            ++end;
        if (end > i) {
            const auto first = offsets[static_cast<std::size_t>(i)];
            const auto last = offsets[static_cast<std::size_t>(end)];
            const QStringView word = shown.sliced(i, end - i);
            if (!words.contains(word))
                words.insert(word, original.substr(first, last - first));
        }
        i = end + 1;
    }
    TByteString bytes;
    for (qsizetype i = 0; i < text.size();) {
        qsizetype end = i;
        while (end < text.size() && !SeparatesNumbers(text[end]))
            ++end;
        if (end == i) {
            bytes += EncodeCp932(text.sliced(i, 1));
            ++i;
            continue;
        }
        const auto found = words.constFind(text.sliced(i, end - i));
        bytes += found != words.cend() ? TByteString(*found) : EncodeCp932(text.sliced(i, end - i));
        i = end;
    }
    return bytes;
}

} // namespace

TByteString EncodeCp932Edit(std::string_view original, QStringView text)
{
    const QString shown = DecodeCp932(original);
    if (shown == text)
        return TByteString(original);
    const qsizetype common = std::min(shown.size(), text.size());
    qsizetype head = 0;
    while (head < common && shown[head] == text[head])
        ++head;
    qsizetype tail = 0;
    while (tail < common - head && shown[shown.size() - 1 - tail] == text[text.size() - 1 - tail])
        ++tail;
    const std::vector<std::size_t> offsets = UnitOffsets(original);
    const std::size_t headEnd = offsets[static_cast<std::size_t>(head)];
    const std::size_t tailStart = offsets[static_cast<std::size_t>(shown.size() - tail)];
    TByteString bytes(original.substr(0, headEnd));
    bytes += EncodeWords(text.sliced(head, text.size() - head - tail), original, shown, offsets);
    bytes += original.substr(tailStart);
    // Kept bytes that read differently beside new ones (a lone lead byte before a new
    // character would take it as its second byte) are not kept.
    if (DecodeCp932(bytes) != text)
        return EncodeCp932(text);
    return bytes;
}

TByteString EncodeTicketNumber(QStringView text)
{
    if (text.contains(u'\n') || text.contains(u'\r'))
        throw TKelmoraError("番号に改行は使えません");
    return EncodeCp932(text);
}

} // namespace kelmora::ui
