#include "core/files/FilePrivileges.h"

#include <sys/xattr.h>

namespace kelmora {

namespace {
constexpr const char* kCapability = "security.capability";
}

TFilePrivileges TFilePrivileges::Of(const struct stat& old, const std::string& path, uid_t owner, gid_t group)
{
    TFilePrivileges privileges;
    const bool sameOwner = owner == old.st_uid;
    privileges.mode_ = old.st_mode & 07777;
    if (!sameOwner)
        privileges.mode_ &= ~static_cast<mode_t>(S_ISUID);
    if (!sameOwner || group != old.st_gid)
        privileges.mode_ &= ~static_cast<mode_t>(S_ISGID);
    if (!sameOwner)
        return privileges;
    const ssize_t size = ::lgetxattr(path.c_str(), kCapability, nullptr, 0);
    if (size < 0)
        return privileges;
    std::string value(static_cast<std::size_t>(size), '\0');
    const ssize_t got = ::lgetxattr(path.c_str(), kCapability, value.data(), value.size());
    if (got >= 0) {
        value.resize(static_cast<std::size_t>(got));
        privileges.capability_ = std::move(value);
    }
    return privileges;
}

void TFilePrivileges::ApplyTo(int fd) const
{
    if (capability_)
        (void)::fsetxattr(fd, kCapability, capability_->data(), capability_->size(), 0);
    (void)::fchmod(fd, mode_);
}

} // namespace kelmora
