#pragma once

#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace kelmora {

// A file's permission bits with its set-id bits, and its capabilities. Writing to a file
// clears the set-id bits (for a saver without CAP_FSETID) and the capabilities (for everyone),
// so they are given to a file only after its bytes are written.
class TFilePrivileges {
public:
    // Those of the file `old`, open as `fd` (O_PATH too), that may pass to a file owned by `owner` and
    // `group`: set-id bits and capabilities only where owner (or group) stay the same.
    static TFilePrivileges Of(const struct stat& old, int fd, uid_t owner, gid_t group);

    // Best effort: a saver that may not set them leaves the file with what it has.
    void ApplyTo(int fd) const;

private:
    mode_t mode_ = 0;
    std::optional<std::string> capability_;
};

// The extended attribute `name` of the file open as `fd`, read through the descriptor (an
// O_PATH one through /proc), so that no file put in its place meanwhile answers; none when the
// file has none or it cannot be read.
std::optional<std::string> AttributeOf(int fd, const char* name);
// The names of its extended attributes, the same way.
std::vector<std::string> AttributeNamesOf(int fd);

} // namespace kelmora
