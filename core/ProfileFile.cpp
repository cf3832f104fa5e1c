#include "core/ProfileFile.h"

#include "core/KelmoraError.h"
#include "core/LineFile.h"
#include "core/Utf8ToCp932.h"

#include <cstdlib>
#include <utility>

namespace kelmora {
namespace {

std::string AsciiLower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

std::string Key(std::string_view section, std::string_view name)
{
    return AsciiLower(TrimWhiteSpace(section)) + '\n' + AsciiLower(TrimWhiteSpace(name));
}

} // namespace

TProfileFile TProfileFile::Parse(TByteString data)
{
    TProfileFile profile;
    std::string section;
    bool inSection = false;
    for (const auto& rawLine : SplitRawLines(std::move(data))) {
        const std::string_view line = TrimWhiteSpace(rawLine);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const auto close = line.find(']');
            section = std::string(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
            inSection = true;
            continue;
        }
        const auto equals = line.find('=');
        if (!inSection || equals == std::string_view::npos)
            continue;
        profile.values_.try_emplace(Key(section, line.substr(0, equals)),
                                    UpToNul(TrimWhiteSpace(line.substr(equals + 1))));
    }
    return profile;
}

TProfileFile TProfileFile::ParseFile(TByteString data, const std::string& path)
{
    if (std::string_view(data).starts_with(kUtf8Bom))
        return Parse(Utf8ToCp932(data, AbsolutePathText(path)));
    return Parse(std::move(data));
}

TProfileFile TProfileFile::Load(const std::string& path)
{
    return ParseFile(ReadWholeFile(path), path);
}

const TByteString* TProfileFile::Find(std::string_view section, std::string_view name) const
{
    const auto it = values_.find(Key(section, name));
    return it == values_.end() ? nullptr : &it->second;
}

TByteString TProfileFile::ReadString(std::string_view section, std::string_view name, std::string_view fallback) const
{
    const TByteString* value = Find(section, name);
    const std::string_view text = value ? std::string_view(*value) : fallback;
    return TByteString(text.substr(0, kMaxValueBytes));
}

long TProfileFile::ReadInt(std::string_view section, std::string_view name, long fallback) const
{
    const TByteString* value = Find(section, name);
    if (!value)
        return fallback;
    // Leading sign and digits count, the rest is ignored; out-of-range values saturate.
    return std::strtol(value->c_str(), nullptr, 10);
}

} // namespace kelmora
