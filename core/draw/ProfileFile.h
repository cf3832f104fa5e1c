#pragma once

#include "core/base/ByteString.h"

#include <cstdint>
#include <functional>
#include <optional>
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
    // Which entries a reader will ask for, by section and name in ASCII lower case; the others
    // are not kept, so that a file full of entries nobody reads costs no more than its bytes.
    using TKeyFilter = std::function<bool(std::string_view section, std::string_view name)>;

    TProfileFile() = default;
    static TProfileFile Parse(TByteString data, const TKeyFilter& keep = {});
    // The bytes of a file as code page 932: UTF-8 where they start with a byte order mark (as
    // today's editors save) is read as the same text in code page 932. Throws TKelmoraError,
    // naming `path`, for UTF-8 that is broken or holds a character code page 932 lacks.
    static TByteString Cp932Bytes(TByteString data, const std::string& path);
    // Throws the open error when the file cannot be read, and the errors of Cp932Bytes.
    static TProfileFile Load(const std::string& path, const TKeyFilter& keep = {});

    // Calls `visit` with each entry of `data` in file order: section and name in ASCII lower
    // case, and the whole value (before its NUL, white space trimmed), repeats included, until
    // `visit` returns false.
    using TEntryVisitor = std::function<bool(std::string_view section, std::string_view name, std::string_view value)>;
    static void ForEachEntry(std::string_view data, const TEntryVisitor& visit);

    // Calls `visit` with each entry kept, in no set order, until it returns false: section and
    // name in ASCII lower case, the value cut as ReadString cuts it.
    void ForEachValue(const TEntryVisitor& visit) const;

    // Values are cut to their first 255 bytes.
    TByteString ReadString(std::string_view section, std::string_view name, std::string_view fallback = {}) const;
    // Leading sign and decimal digits; a value without digits gives 0.
    long ReadInt(std::string_view section, std::string_view name, long fallback) const;

private:
    // Where a value lies in the file's bytes, up to its NUL.
    struct Value {
        std::uint32_t at;
        std::uint32_t size;
    };
    void KeepOnlyValues();
    std::optional<std::string_view> Find(std::string_view section, std::string_view name) const;

    // Looked up by a key built where it is needed, without a string of its own.
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view key) const { return std::hash<std::string_view>()(key); }
    };

    TByteString data_;
    std::unordered_map<std::string, Value, KeyHash, std::equal_to<>> values_; // key: lower(section) '\n' lower(name)
};

} // namespace kelmora
