#pragma once

#include <string>

namespace kelmora::ui::platform {

// The process's current directory. Like a system with drive letters, it remembers the last
// directory made current on each volume, so that a volume can be made current as a whole.
// Every failure throws kelmora::TKelmoraError with the I/O error text of its errno.
class TWorkingDirectory {
public:
    // Makes path (absolute, or relative to the current directory) current.
    static void Set(const std::string& path);

    // The current directory, absolute, without a trailing "/" except for "/".
    static std::string Get();

    // Where a browser control starts: the current directory, or "/" when it has gone.
    static std::string StartingDirectory();

    // Makes current the directory last made current on the volume mounted at mountPoint,
    // falling back to the mount point itself when that one cannot be entered any more.
    static void SetVolume(const std::string& mountPoint);

    // Whether path names a directory (following links).
    static bool Exists(const std::string& path);

    // Drops the directories remembered per volume.
    static void ForgetVolumes();
};

} // namespace kelmora::ui::platform
