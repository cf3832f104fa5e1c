#include "core/files/FilePrivileges.h"

#include <cerrno>

#include <sys/xattr.h>

namespace kelmora {

namespace {
constexpr const char* kCapability = "security.capability";

// Calls read(buffer, size) as the xattr calls take them, on the descriptor or, for an O_PATH
// descriptor (EBADF), on its /proc link, which leads to the same file whatever its path holds now.
template <class Read>
std::optional<std::string> ReadThrough(int fd, Read&& read)
{
    const auto attempt = [&](const auto& call) -> std::optional<std::string> {
        for (int tries = 0; tries < 8; ++tries) {
            const ssize_t size = call(nullptr, 0);
            if (size < 0)
                return std::nullopt;
            std::string value(static_cast<std::size_t>(size), '\0');
            const ssize_t got = call(value.data(), value.size());
            if (got >= 0) {
                value.resize(static_cast<std::size_t>(got));
                return value;
            }
            if (errno != ERANGE) // ERANGE: it grew between the two calls
                return std::nullopt;
        }
        return std::nullopt;
    };
    std::optional<std::string> value = attempt([&](char* buffer, std::size_t size) {
        return read(fd, static_cast<const char*>(nullptr), buffer, size);
    });
    if (value || errno != EBADF)
        return value;
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    return attempt([&](char* buffer, std::size_t size) { return read(-1, link.c_str(), buffer, size); });
}

} // namespace

std::optional<std::string> AttributeOf(int fd, const char* name)
{
    return ReadThrough(fd, [name](int file, const char* link, char* buffer, std::size_t size) {
        return file >= 0 ? ::fgetxattr(file, name, buffer, size) : ::getxattr(link, name, buffer, size);
    });
}

std::vector<std::string> AttributeNamesOf(int fd)
{
    const std::optional<std::string> list =
        ReadThrough(fd, [](int file, const char* link, char* buffer, std::size_t size) {
            return file >= 0 ? ::flistxattr(file, buffer, size) : ::listxattr(link, buffer, size);
        });
    std::vector<std::string> names;
    if (!list)
        return names;
    for (std::size_t at = 0; at < list->size(); at = list->find('\0', at) + 1) {
        names.emplace_back(list->c_str() + at);
        if (list->find('\0', at) == std::string::npos)
            break;
    }
    return names;
}

TFilePrivileges TFilePrivileges::Of(const struct stat& old, int fd, uid_t owner, gid_t group)
{
    TFilePrivileges privileges;
    const bool sameOwner = owner == old.st_uid;
    privileges.mode_ = old.st_mode & 07777;
    if (!sameOwner)
        privileges.mode_ &= ~static_cast<mode_t>(S_ISUID);
    if (!sameOwner || group != old.st_gid)
        privileges.mode_ &= ~static_cast<mode_t>(S_ISGID);
    if (sameOwner && fd >= 0)
        privileges.capability_ = AttributeOf(fd, kCapability);
    return privileges;
}

void TFilePrivileges::ApplyTo(int fd) const
{
    if (capability_)
        (void)::fsetxattr(fd, kCapability, capability_->data(), capability_->size(), 0);
    (void)::fchmod(fd, mode_);
}

} // namespace kelmora
