#include "ui/platform/AvailableMemory.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <iterator>

#include <sys/resource.h>
#include <unistd.h>

namespace kelmora::ui::platform {
namespace {

std::string ReadSmallFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::optional<std::size_t> ParseNumber(std::string_view text)
{
    const auto begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos)
        return std::nullopt;
    text.remove_prefix(begin);
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data())
        return std::nullopt;
    return value;
}

std::size_t LeftUnder(std::size_t limit, std::size_t used)
{
    return limit > used ? limit - used : 0;
}

// Fields of /proc/self/statm, in pages: 0 the address space, 5 the data and stack.
std::size_t StatmBytes(int field)
{
    std::ifstream in("/proc/self/statm");
    std::size_t pages = 0;
    for (int i = 0; i <= field && in >> pages; ++i) {}
    return pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

std::optional<std::size_t> LeftUnderLimit(int resource, int statmField)
{
    rlimit limit{};
    if (::getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return std::nullopt;
    return LeftUnder(static_cast<std::size_t>(limit.rlim_cur), StatmBytes(statmField));
}

// Every group from ours up to the root may carry a limit; the tightest counts.
std::optional<std::size_t> LeftInCgroups()
{
    const std::optional<std::string> group = ParseUnifiedCgroup(ReadSmallFile("/proc/self/cgroup"));
    if (!group)
        return std::nullopt;
    std::optional<std::size_t> least;
    std::string path = *group;
    while (true) {
        const std::string dir = "/sys/fs/cgroup" + (path == "/" ? std::string() : path);
        const auto max = ParseCgroupBytes(ReadSmallFile(dir + "/memory.max"));
        if (max) {
            const std::size_t left =
                LeftUnder(*max, ParseCgroupBytes(ReadSmallFile(dir + "/memory.current")).value_or(0));
            least = std::min(least.value_or(SIZE_MAX), left);
        }
        if (path == "/" || path.empty())
            return least;
        const auto slash = path.rfind('/');
        path = slash == 0 ? "/" : path.substr(0, slash);
    }
}

} // namespace

std::optional<std::size_t> ParseMemAvailable(std::string_view meminfo)
{
    constexpr std::string_view kKey = "MemAvailable:";
    for (std::size_t at = 0; at < meminfo.size();) {
        const std::size_t end = std::min(meminfo.find('\n', at), meminfo.size());
        const std::string_view line = meminfo.substr(at, end - at);
        if (line.starts_with(kKey)) {
            const auto kib = ParseNumber(line.substr(kKey.size()));
            if (!kib || *kib > SIZE_MAX / 1024)
                return std::nullopt;
            return *kib * 1024;
        }
        at = end + 1;
    }
    return std::nullopt;
}

std::optional<std::string> ParseUnifiedCgroup(std::string_view procSelfCgroup)
{
    for (std::size_t at = 0; at < procSelfCgroup.size();) {
        const std::size_t end = std::min(procSelfCgroup.find('\n', at), procSelfCgroup.size());
        const std::string_view line = procSelfCgroup.substr(at, end - at);
        if (line.starts_with("0::/"))
            return std::string(line.substr(3));
        at = end + 1;
    }
    return std::nullopt;
}

std::optional<std::size_t> ParseCgroupBytes(std::string_view value)
{
    return ParseNumber(value);
}

std::size_t AvailableMemory()
{
    std::size_t least = SIZE_MAX;
    for (const std::optional<std::size_t> left : {LeftUnderLimit(RLIMIT_AS, 0), LeftUnderLimit(RLIMIT_DATA, 5),
                                                  LeftInCgroups(), ParseMemAvailable(ReadSmallFile("/proc/meminfo"))})
        if (left)
            least = std::min(least, *left);
    return least;
}

} // namespace kelmora::ui::platform
