#pragma once

#include "ui/platform/Volume.h"

#include <string>

namespace kelmora::ui {

// One entry of the drive chooser: a volume and the text shown for it.
struct TDriveEntry {
    platform::TVolume volume;
    std::string text; // native bytes
};

} // namespace kelmora::ui
