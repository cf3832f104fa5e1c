#pragma once

#include "core/ByteString.h"

#include <string>
#include <string_view>
#include <unordered_map>

namespace kelmora {

// An initialization file: [Section] headers and Name=Value entries. Section and entry names
// are compared without regard to ASCII case; white space around names and values is ignored;
// lines starting with ';' are comments; the first of repeated sections or names wins.
class TProfileFile {
public:
    static constexpr std::size_t kMaxValueBytes = 255;

    TProfileFile() = default;
    static TProfileFile Parse(TByteString data);
    // The bytes of the file at `path`: code page 932, or UTF-8 where they start with a byte
    // order mark (as today's editors save), which is read as the same text in code page 932.
    // Throws TKelmoraError for UTF-8 that is broken or holds a character code page 932 lacks.
    static TProfileFile ParseFile(TByteString data, const std::string& path);
    // Throws the open error when the file cannot be read, and the errors of ParseFile.
    static TProfileFile Load(const std::string& path);

    // Values are cut to their first 255 bytes.
    TByteString ReadString(std::string_view section, std::string_view name, std::string_view fallback = {}) const;
    // Leading sign and decimal digits; a value without digits gives 0.
    long ReadInt(std::string_view section, std::string_view name, long fallback) const;

private:
    const TByteString* Find(std::string_view section, std::string_view name) const;

    std::unordered_map<std::string, TByteString> values_; // key: lower(section) '\n' lower(name)
};

} // namespace kelmora
