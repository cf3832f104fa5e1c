#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace kelmora {

// The last eight bytes of `text` (fewer, zero-filled, for a shorter text) as one number whose
// highest byte is the text's last: the last L bytes are then its top L bytes.
inline std::uint64_t TailOf(std::string_view text)
{
    unsigned char bytes[8] = {};
    if (text.size() >= 8)
        std::memcpy(bytes, text.data() + text.size() - 8, 8);
    else if (!text.empty())
        std::memcpy(bytes + 8 - text.size(), text.data(), text.size());
    std::uint64_t tail = 0;
    if constexpr (std::endian::native == std::endian::little) {
        // The bytes in memory order already are that number: one load, not eight shifts.
        std::memcpy(&tail, bytes, 8);
    } else {
        for (int i = 7; i >= 0; --i)
            tail = tail << 8 | bytes[i];
    }
    return tail;
}

inline constexpr std::uint64_t kNotDecimal = UINT64_MAX;

// The `Word`'s bytes as the digits of a decimal number, its lowest byte the most significant,
// when every byte is an ASCII digit; else kNotDecimal. Tickets end in digits: eight are read
// at once, not one by one.
template <class Word>
constexpr std::uint64_t DecimalOfBytes(Word x)
{
    static_assert(sizeof(Word) == 4 || sizeof(Word) == 8);
    constexpr auto kOnes = static_cast<Word>(0x0101010101010101ULL);
    constexpr Word kZeros = kOnes * 0x30;
    // A byte below '0' sets its top bit when '0' is taken away, one above '9' when 0x46 is
    // added; a borrow or carry between bytes starts only at such a byte.
    if ((((x - kZeros) | (x + kOnes * 0x46)) & (kOnes * 0x80)) != 0)
        return kNotDecimal;
    x -= kZeros;
    // Pairs of digits, then fours, then all eight.
    x = (x * 10 + (x >> 8)) & static_cast<Word>(0x00FF00FF00FF00FFULL);
    x = (x * 100 + (x >> 16)) & static_cast<Word>(0x0000FFFF0000FFFFULL);
    if constexpr (sizeof(Word) == 8)
        x = (x * 10000 + (x >> 32)) & 0xFFFFFFFFULL;
    return x;
}

// The four bytes before `end` as DecimalOfBytes reads them.
inline std::uint64_t DecimalOfLastFour(const char* end)
{
    std::uint32_t word = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&word, end - 4, 4);
    } else {
        for (int i = 1; i <= 4; ++i)
            word = word << 8 | static_cast<unsigned char>(end[-i]);
    }
    return DecimalOfBytes(word);
}

} // namespace kelmora
