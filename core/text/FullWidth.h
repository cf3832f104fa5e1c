#pragma once
// Full-width forms of the characters that numbers are written with, as ASCII: one folding for
// the comparison of numbers, the reading of prizes and the numbers the window is typed.

namespace kelmora {

// Runs of `count` characters from `codePoint`, in code page 932 from the pair `lead`, `trail`,
// that stand for ASCII from `ascii`.
struct TFullWidthRun {
    char32_t codePoint;
    unsigned char lead;
    unsigned char trail;
    char ascii;
    unsigned char count;
};

inline constexpr TFullWidthRun kFullWidthRuns[] = {
    {U'\uFF10', 0x82, 0x4F, '0', 10}, // ０ to ９
    {U'\uFF21', 0x82, 0x60, 'A', 26}, // Ａ to Ｚ
    {U'\uFF41', 0x82, 0x81, 'a', 26}, // ａ to ｚ
    {U'\uFF0D', 0x81, 0x7C, '-', 1},  // －
    {U'\u2212', 0x81, 0x7C, '-', 1},  // the minus sign that some conversions give for －
    {U'\u3000', 0x81, 0x40, ' ', 1},  // the full-width blank
};

// The ASCII character that a full-width digit, Latin letter, hyphen or blank stands for (the
// blank as ' '), or 0 for any other character.
constexpr char FoldFullWidth(char32_t c)
{
    for (const TFullWidthRun& run : kFullWidthRuns)
        if (c >= run.codePoint && c - run.codePoint < run.count)
            return static_cast<char>(run.ascii + static_cast<char>(c - run.codePoint));
    return 0;
}

// The same for a character of code page 932 by its two bytes.
constexpr char FoldFullWidth(unsigned char lead, unsigned char trail)
{
    for (const TFullWidthRun& run : kFullWidthRuns)
        if (lead == run.lead && trail >= run.trail && trail - run.trail < run.count)
            return static_cast<char>(run.ascii + (trail - run.trail));
    return 0;
}

} // namespace kelmora
