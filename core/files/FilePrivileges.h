#pragma once

#include <optional>
#include <string>

#include <sys/stat.h>

namespace kelmora {

// A file's permission bits with its set-id bits, and its capabilities. Writing to a file
// clears the set-id bits (for a saver without CAP_FSETID) and the capabilities (for everyone),
// so they are given to a file only after its bytes are written.
class TFilePrivileges {
public:
    // Those of the file `old`, found at `path`, that may pass to a file owned by `owner` and
    // `group`: set-id bits and capabilities only where owner (or group) stay the same.
    static TFilePrivileges Of(const struct stat& old, const std::string& path, uid_t owner, gid_t group);

    // Best effort: a saver that may not set them leaves the file with what it has.
    void ApplyTo(int fd) const;

private:
    mode_t mode_ = 0;
    std::optional<std::string> capability_;
};

} // namespace kelmora
