#pragma once

#include "Volume.h"

#include <string>

namespace kelmora::ui {

// One entry of the drive chooser: a volume and the text shown for it.
struct DriveEntry {
    platform::Volume volume;
    std::string text;   // native bytes
};

} // namespace kelmora::ui
