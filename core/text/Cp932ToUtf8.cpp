#include "core/text/Cp932ToUtf8.h"

#include "core/base/ByteString.h"

#include <array>
#include <cstdint>
#include <memory>

#include <iconv.h>

namespace kelmora {
namespace {

constexpr char16_t kNoCharacter = 0xFFFD;

// Code page 932 to UTF-16, taken once from the C library's converter.
struct TCp932Tables {
    std::array<char16_t, 0x100> single{};
    std::array<char16_t, 0x10000> pair{}; // index lead << 8 | trail

    TCp932Tables()
    {
        single.fill(kNoCharacter);
        pair.fill(kNoCharacter);
        for (unsigned byte = 0; byte < 0x80; ++byte)
            single[byte] = static_cast<char16_t>(byte);
        const iconv_t converter = ::iconv_open("UTF-16LE", "CP932");
        if (reinterpret_cast<std::intptr_t>(converter) == -1)
            return; // without the converter every byte past ASCII reads as U+FFFD
        const auto decodeOne = [&](const char* bytes, std::size_t size) -> char16_t {
            ::iconv(converter, nullptr, nullptr, nullptr, nullptr);
            char in[2] = {bytes[0], size > 1 ? bytes[1] : '\0'};
            char out[8];
            char* inPtr = in;
            char* outPtr = out;
            std::size_t inLeft = size;
            std::size_t outLeft = sizeof out;
            if (::iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0 ||
                sizeof out - outLeft != 2)
                return kNoCharacter;
            return static_cast<char16_t>(static_cast<unsigned char>(out[0]) | static_cast<unsigned char>(out[1]) << 8);
        };
        ForEachNonAsciiCp932Code([&](unsigned index, const char* bytes, std::size_t size) {
            (size == 1 ? single[index] : pair[index]) = decodeOne(bytes, size);
        });
        ::iconv_close(converter);
    }
};

const TCp932Tables& Tables()
{
    static const auto tables = std::make_unique<TCp932Tables>();
    return *tables;
}

void AppendUtf8(char16_t c, std::string& out)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::size_t DecodeCp932At(std::string_view bytes, std::size_t i, char16_t& character)
{
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte < 0x80) {
        character = byte;
        return i + 1;
    }
    const TCp932Tables& tables = Tables();
    if (IsLeadByte(byte) && i + 1 < bytes.size() && IsTrailByte(static_cast<unsigned char>(bytes[i + 1]))) {
        character = tables.pair[PairCode(byte, static_cast<unsigned char>(bytes[i + 1]))];
        return i + 2;
    }
    character = tables.single[byte];
    return i + 1;
}

bool AppendCp932AsUtf8(std::string_view bytes, std::string& out)
{
    // Ticket numbers are mostly ASCII: those need no table at all.
    std::size_t i = 0;
    while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80)
        ++i;
    out.append(bytes.substr(0, i));
    bool decoded = true;
    while (i < bytes.size()) {
        char16_t c = 0;
        i = DecodeCp932At(bytes, i, c);
        decoded = decoded && c != kNoCharacter;
        AppendUtf8(c, out);
    }
    return decoded;
}

bool AppendCp932AsUtf8(std::string_view bytes, std::string& out, std::string& carry)
{
    bool decoded = true;
    if (!carry.empty()) {
        const bool paired = !bytes.empty() && IsTrailByte(static_cast<unsigned char>(bytes.front()));
        carry.append(bytes.substr(0, paired ? 1 : 0));
        decoded = AppendCp932AsUtf8(carry, out);
        carry.clear();
        bytes.remove_prefix(paired ? 1 : 0);
    }
    // Whether the last byte starts a character is known only from a character boundary, and
    // a trail byte can be a lead byte too: walk back over the run of lead-or-trail bytes.
    std::size_t run = 0;
    while (run < bytes.size() && IsLeadByte(static_cast<unsigned char>(bytes[bytes.size() - 1 - run])))
        ++run;
    // Within a run of lead bytes each pairs with the next, so the last one is alone exactly when
    // the run's length is odd.
    if (run % 2 == 1) {
        carry.assign(1, bytes.back());
        bytes.remove_suffix(1);
    }
    return AppendCp932AsUtf8(bytes, out) && decoded;
}

} // namespace kelmora
