#pragma once

#include <functional>
#include <string>

namespace kelmora::ui::platform {

// Questions about a volume's device that the mount table does not answer.
struct TVolumeProbe {
    // The volume label of a device source, empty when it has none or it cannot be read.
    std::function<std::string(const std::string& source)> label;
    // Whether a device source sits on removable media.
    std::function<bool(const std::string& source)> removable;

    // Answers from /dev/disk/by-label and /sys/class/block below root ("/" normally).
    static TVolumeProbe System(const std::string& root = "/");
};

} // namespace kelmora::ui::platform
