#pragma once

#include <cstddef>
#include <random>
#include <string>

namespace kelmora::test {

// `count` decimal digits drawn from `random`, for numbers and tickets made up by a test.
inline std::string RandomDigits(std::mt19937& random, std::size_t count)
{
    std::uniform_int_distribution<int> digit(0, 9);
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += static_cast<char>('0' + digit(random));
    return text;
}

} // namespace kelmora::test
