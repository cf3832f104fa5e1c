#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kelmora::ui::platform {

// How many more bytes this process can still allocate: the least of what its address-space
// and data limits leave, what its control groups' memory limits leave, and the system's
// MemAvailable. SIZE_MAX when nothing limits it.
std::size_t AvailableMemory();

// MemAvailable of /proc/meminfo, in bytes.
std::optional<std::size_t> ParseMemAvailable(std::string_view meminfo);
// The unified hierarchy's group of /proc/self/cgroup ("0::/user.slice/x.scope" gives
// "/user.slice/x.scope").
std::optional<std::string> ParseUnifiedCgroup(std::string_view procSelfCgroup);
// A memory.max or memory.current value; "max" and unreadable text limit nothing.
std::optional<std::size_t> ParseCgroupBytes(std::string_view value);

} // namespace kelmora::ui::platform
