#include "ui/text/Cp932.h"

#include "core/ByteString.h"
#include "core/KelmoraError.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <memory>

namespace kelmora::ui {
namespace {

constexpr char16_t kNoCharacter = 0xFFFD;
constexpr std::uint16_t kNoCode = 0xFFFF;

// Code page 932 in both directions, taken once from the platform's converter so that our
// display and the platform agree on every code.
struct TCp932Tables {
    std::array<char16_t, 0x100> single{};
    std::array<char16_t, 0x10000> pair{};      // index lead << 8 | trail
    std::array<std::uint16_t, 0x10000> code{}; // by UTF-16 unit; below 0x100 one byte

    TCp932Tables()
    {
        single.fill(kNoCharacter);
        pair.fill(kNoCharacter);
        code.fill(kNoCode);
        QStringDecoder decoder("CP932", QStringConverter::Flag::Stateless);
        const auto decodeOne = [&](QByteArrayView bytes) -> char16_t {
            // The converter's error flag sticks once set, so its output alone tells.
            const QString text = decoder.decode(bytes);
            if (text.size() != 1)
                return kNoCharacter;
            // The converter's substitute for an unmapped code is SUB (0x1A).
            const char16_t c = text.at(0).unicode();
            return c == 0x1A ? kNoCharacter : c;
        };
        // ASCII is itself in code page 932 as Windows has it; the converter's table would swap
        // three control codes (1A, 1C, 7F) as IBM's variant does.
        for (unsigned byte = 0; byte < 0x80; ++byte) {
            single[byte] = static_cast<char16_t>(byte);
            code[byte] = static_cast<std::uint16_t>(byte);
        }
        ForEachNonAsciiCp932Code([&](unsigned index, const char* bytes, std::size_t size) {
            (size == 1 ? single[index] : pair[index]) = decodeOne(QByteArrayView(bytes, static_cast<qsizetype>(size)));
        });
        BuildEncoding();
    }

    // Where several codes decode to one character (NEC and IBM duplicates) the platform's
    // encoder picks the code, as any other program writing code page 932 would.
    void BuildEncoding()
    {
        QStringEncoder encoder("CP932", QStringConverter::Flag::Stateless);
        const auto add = [&](char16_t c) {
            if (c == kNoCharacter || code[c] != kNoCode)
                return;
            const QChar qc(c);
            const QByteArray bytes = encoder.encode(QStringView(&qc, 1));
            // An unmappable character comes out as a substitute, which decodes to another.
            if (bytes.size() == 1 && single[static_cast<unsigned char>(bytes[0])] == c)
                code[c] = static_cast<unsigned char>(bytes[0]);
            else if (bytes.size() == 2) {
                const auto value = static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[0]) << 8 |
                                                              static_cast<unsigned char>(bytes[1]));
                if (pair[value] == c)
                    code[c] = value;
            }
        };
        for (char16_t c : single)
            add(c);
        for (char16_t c : pair)
            add(c);
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

const TCp932Tables& Tables()
{
    static const auto tables = std::make_unique<TCp932Tables>();
    return *tables;
}

// Hands the unit at `i` to `sink` and returns the index after it. ASCII reads the same in
// the code page, so the tables are built only when other bytes come (not at start-up).
template <typename Sink>
std::size_t NextUnit(const TCp932Tables*& tables, std::string_view bytes, std::size_t i, Sink&& sink)
{
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte == '\r') {
        sink(u'\n');
        return i + 1 < bytes.size() && bytes[i + 1] == '\n' ? i + 2 : i + 1;
    }
    if (byte < 0x80) {
        sink(byte == '\n' ? u'\n' : static_cast<char16_t>(byte));
        return i + 1;
    }
    if (!tables)
        tables = &Tables();
    if (IsLeadByte(byte) && i + 1 < bytes.size() && IsTrailByte(static_cast<unsigned char>(bytes[i + 1]))) {
        sink(tables->pair[PairCode(byte, static_cast<unsigned char>(bytes[i + 1]))]);
        return i + 2;
    }
    sink(tables->single[byte]);
    return i + 1;
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
    const QString hex = QString::number(static_cast<uint>(codePoint), 16).toUpper().rightJustified(4, u'0');
    const QString text =
        QStringLiteral("「%1」(U+%2) はシフトJISで表せないため、受け付けられません").arg(CodePointText(codePoint), hex);
    throw TKelmoraError(text.toStdString());
}

} // namespace

QString DecodeCp932(std::string_view bytes)
{
    const TCp932Tables* tables = nullptr;
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    char16_t* const begin = out;
    for (std::size_t i = 0; i < bytes.size();)
        i = NextUnit(tables, bytes, i, [&](char16_t c) { *out++ = c; });
    text.truncate(out - begin);
    return text;
}

std::size_t Cp932UnitOffset(std::string_view bytes, std::size_t units)
{
    const TCp932Tables* tables = nullptr;
    std::size_t i = 0;
    for (std::size_t unit = 0; unit < units && i < bytes.size(); ++unit)
        i = NextUnit(tables, bytes, i, [](char16_t) {});
    return i;
}

TByteString EncodeCp932(QStringView text)
{
    const TCp932Tables& tables = Tables();
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

TByteString EncodeTicketNumber(QStringView text)
{
    if (text.contains(u'\n') || text.contains(u'\r'))
        throw TKelmoraError("番号に改行は使えません");
    return EncodeCp932(text);
}

} // namespace kelmora::ui
