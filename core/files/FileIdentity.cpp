#include "core/files/FileIdentity.h"

#include <sys/stat.h>

namespace kelmora {

std::optional<TFileIdentity> IdentityOfPath(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return TFileIdentity{st.st_dev, st.st_ino};
}

std::optional<TFileIdentity> IdentityOfDescriptor(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return std::nullopt;
    return TFileIdentity{st.st_dev, st.st_ino};
}

} // namespace kelmora
