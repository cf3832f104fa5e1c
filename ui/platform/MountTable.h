#pragma once

#include "ui/platform/Volume.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora::ui::platform {

struct TVolumeProbe;

// The mounted volumes a person would browse, read from the kernel's mount table.
class TMountTable {
public:
    TMountTable() = default;

    // From the text of /proc/self/mountinfo (or of /proc/mounts). Pseudo file systems, snap
    // packages and everything mounted under /proc, /sys, /dev and /run are left out; of two
    // mounts on one mount point the later one counts. Sorted by mount point. Removable media
    // are recognised only when a probe is given.
    static TMountTable Parse(std::string_view text, const TVolumeProbe* probe = nullptr);

    // The table as it stands now, from the process-wide source. The system's table is read
    // again only after a mount or an unmount.
    static TMountTable Read(const TVolumeProbe* probe = nullptr);

    // Replaces the source of the mount table text (for tests); an empty function restores
    // /proc/self/mountinfo, read afresh.
    static void SetSource(std::function<std::string()> source);

    const std::vector<TVolume>& Volumes() const& { return volumes_; }
    std::vector<TVolume> Volumes() && { return std::move(volumes_); }

    // The volume holding an absolute path: the longest mount point that is a prefix of it;
    // nullptr when none is.
    const TVolume* VolumeOf(std::string_view path) const&;
    const TVolume* VolumeOf(std::string_view path) && = delete; // would dangle

    // The volume holding path in the table as it stands now.
    static std::optional<TVolume> FindVolume(std::string_view path);

private:
    std::vector<TVolume> volumes_;
};

} // namespace kelmora::ui::platform
