#pragma once

#include <optional>
#include <string>

#include <sys/types.h>

namespace kelmora {

// Which file a path or descriptor reaches, links followed: two names of one file compare equal.
struct TFileIdentity {
    dev_t device;
    ino_t inode;
    friend bool operator==(const TFileIdentity&, const TFileIdentity&) = default;
};

// Nothing when the path leads to no file.
std::optional<TFileIdentity> IdentityOfPath(const std::string& path);
std::optional<TFileIdentity> IdentityOfDescriptor(int fd);

} // namespace kelmora
