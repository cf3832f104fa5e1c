#pragma once

#include <string>

namespace kelmora::ui::platform {

// What a volume is, as far as its glyph in the drive chooser goes.
enum class TVolumeKind { Removable, Fixed, Network, CdRom, RamDisk };

// A mounted volume a person would browse: what stands for a drive.
struct TVolume {
    std::string mountPoint; // absolute, no trailing "/" except for "/"
    std::string fileSystem; // type as the mount table gives it, e.g. "ext4", "fuse.sshfs"
    std::string source;     // device, network source or a name
    TVolumeKind kind = TVolumeKind::Fixed;
    bool preservesCase = true;
    bool caseSensitive = true;
};

} // namespace kelmora::ui::platform
