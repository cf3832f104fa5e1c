#pragma once

#include "Volume.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora::ui::platform {

struct VolumeProbe;

// The mounted volumes a person would browse, read from the kernel's mount table.
class MountTable {
public:
    MountTable() = default;

    // From the text of /proc/self/mountinfo (or of /proc/mounts). Pseudo file systems and
    // everything mounted under /proc, /sys, /dev and /run are left out; of two mounts on one
    // mount point the later one counts. Sorted by mount point. Removable media are recognised
    // only when a probe is given.
    static MountTable Parse(std::string_view text, const VolumeProbe* probe = nullptr);

    // The table as it stands now, from the process-wide source.
    static MountTable Read(const VolumeProbe* probe = nullptr);

    // Replaces the source of the mount table text (for tests); an empty function restores
    // /proc/self/mountinfo.
    static void SetSource(std::function<std::string()> source);

    const std::vector<Volume>& Volumes() const& { return volumes_; }
    std::vector<Volume> Volumes() && { return std::move(volumes_); }

    // The volume holding an absolute path: the longest mount point that is a prefix of it;
    // nullptr when none is.
    const Volume* VolumeOf(std::string_view path) const&;
    const Volume* VolumeOf(std::string_view path) && = delete;   // would dangle

    // The volume holding path in the table as it stands now.
    static std::optional<Volume> FindVolume(std::string_view path);

private:
    std::vector<Volume> volumes_;
};

} // namespace kelmora::ui::platform
