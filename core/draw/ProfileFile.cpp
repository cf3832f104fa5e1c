#include "core/draw/ProfileFile.h"

#include "core/base/KelmoraError.h"
#include "core/files/LineFile.h"
#include "core/text/Utf8ToCp932.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

namespace kelmora {
namespace {

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

void AppendAsciiLower(std::string_view text, std::string& out)
{
    const std::size_t at = out.size();
    out.resize(at + text.size());
    std::transform(text.begin(), text.end(), out.begin() + static_cast<std::ptrdiff_t>(at), AsciiLower);
}

// Calls `line` with each line of `data` until it returns false: CR LF, CR and LF each end one.
// The next CR and the next LF are each looked for once and kept until passed, so that a file
// whose lines end only in the other is still read once, not once per line.
template <typename Visit>
void ForEachLine(std::string_view data, Visit&& line)
{
    std::size_t start = 0;
    std::size_t nextCr = data.find('\r');
    std::size_t nextLf = data.find('\n');
    while (start < data.size()) {
        if (nextCr < start)
            nextCr = data.find('\r', start);
        if (nextLf < start)
            nextLf = data.find('\n', start);
        const std::size_t end = std::min(nextCr, nextLf);
        if (end == std::string_view::npos) {
            line(data.substr(start));
            return;
        }
        if (!line(data.substr(start, end - start)))
            return;
        start = end == nextCr && end + 1 == nextLf ? end + 2 : end + 1;
    }
}

} // namespace

void TProfileFile::ForEachEntry(std::string_view data, const TEntryVisitor& visit)
{
    std::string section;
    std::string name;
    bool inSection = false;
    ForEachLine(data, [&](std::string_view rawLine) {
        const std::string_view line = TrimWhiteSpace(rawLine);
        if (line.empty() || line.front() == ';')
            return true;
        if (line.front() == '[') {
            const auto close = line.find(']');
            section.clear();
            AppendAsciiLower(TrimWhiteSpace(line.substr(1, close == std::string_view::npos ? close : close - 1)),
                             section);
            inSection = true;
            return true;
        }
        const auto equals = line.find('=');
        if (!inSection || equals == std::string_view::npos)
            return true;
        name.clear();
        AppendAsciiLower(TrimWhiteSpace(line.substr(0, equals)), name);
        return visit(section, name, UpToNul(TrimWhiteSpace(line.substr(equals + 1))));
    });
}

TProfileFile TProfileFile::Parse(TByteString data, const TKeyFilter& keep)
{
    if (data.size() > UINT32_MAX)
        ThrowCannotInsertLine();
    TProfileFile profile;
    profile.data_ = std::move(data);
    const std::string_view bytes = profile.data_;
    std::string key;
    ForEachEntry(bytes, [&](std::string_view section, std::string_view name, std::string_view value) {
        if (keep && !keep(section, name))
            return true;
        key.assign(section);
        key += '\n';
        key += name;
        profile.values_.try_emplace(key,
                                    Value{value.empty() ? 0 : static_cast<std::uint32_t>(value.data() - bytes.data()),
                                          static_cast<std::uint32_t>(value.size())});
        return true;
    });
    profile.KeepOnlyValues();
    return profile;
}

TByteString TProfileFile::Cp932Bytes(TByteString data, const std::string& path)
{
    if (std::string_view(data).starts_with(kUtf8Bom))
        return Utf8ToCp932(data, AbsolutePathText(path));
    return data;
}

void TProfileFile::KeepOnlyValues()
{
    // Nothing but the kept values needs the file's bytes: where they are a small part of it,
    // they move to a buffer of their own and the file's bytes are given back.
    std::size_t kept = 0;
    for (const auto& [key, value] : values_)
        kept += value.size;
    if (kept >= data_.size() / 2)
        return;
    TByteString compact;
    compact.reserve(kept);
    for (auto& [key, value] : values_) {
        const std::uint32_t at = static_cast<std::uint32_t>(compact.size());
        compact.append(data_, value.at, value.size);
        value.at = at;
    }
    data_ = std::move(compact);
}

TProfileFile TProfileFile::Load(const std::string& path, const TKeyFilter& keep)
{
    return Parse(Cp932Bytes(ReadWholeFile(path), path), keep);
}

std::optional<std::string_view> TProfileFile::Find(std::string_view section, std::string_view name) const
{
    // Keys are short: one is put together on the stack, unless it is long.
    section = TrimWhiteSpace(section);
    name = TrimWhiteSpace(name);
    const std::size_t size = section.size() + 1 + name.size();
    std::array<char, 64> small;
    std::string large;
    if (size > small.size())
        large.resize(size);
    char* const key = size > small.size() ? large.data() : small.data();
    char* out = key;
    for (const char c : section)
        *out++ = AsciiLower(c);
    *out++ = '\n';
    for (const char c : name)
        *out++ = AsciiLower(c);
    const auto it = values_.find(std::string_view(key, size));
    if (it == values_.end())
        return std::nullopt;
    return std::string_view(data_).substr(it->second.at, it->second.size);
}

void TProfileFile::ForEachValue(const TEntryVisitor& visit) const
{
    const std::string_view bytes = data_;
    for (const auto& [key, value] : values_) {
        const std::string_view whole = key;
        const std::size_t split = whole.find('\n');
        if (!visit(whole.substr(0, split), whole.substr(split + 1),
                   bytes.substr(value.at, std::min<std::size_t>(value.size, kMaxValueBytes))))
            return;
    }
}

TByteString TProfileFile::ReadString(std::string_view section, std::string_view name, std::string_view fallback) const
{
    const std::string_view text = Find(section, name).value_or(fallback);
    return TByteString(text.substr(0, kMaxValueBytes));
}

long TProfileFile::ReadInt(std::string_view section, std::string_view name, long fallback) const
{
    const auto value = Find(section, name);
    if (!value)
        return fallback;
    // Leading sign and digits count, the rest is ignored; out-of-range values saturate.
    return std::strtol(std::string(*value).c_str(), nullptr, 10);
}

} // namespace kelmora
