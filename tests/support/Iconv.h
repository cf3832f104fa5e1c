#pragma once
// Text converted by the C library, so that tests can spell Shift-JIS data readably in UTF-8
// and build their expectations apart from the code under test.

#include <gtest/gtest.h>

#include <string>

#include <iconv.h>

namespace kelmora::test {

inline std::string Convert(const std::string& text, const char* to, const char* from)
{
    const iconv_t converter = ::iconv_open(to, from);
    std::string in = text;
    std::string out(in.size() * 4 + 1, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const std::size_t done = ::iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
    ::iconv_close(converter);
    EXPECT_NE(done, static_cast<std::size_t>(-1)) << text;
    out.resize(out.size() - outLeft);
    return out;
}

// UTF-8 to code page 932.
inline std::string Sjis(const std::string& utf8)
{
    return Convert(utf8, "CP932", "UTF-8");
}

} // namespace kelmora::test
