#include "core/SafeFileWriter.h"

#include "core/FileDescriptor.h"
#include "core/KelmoraError.h"
#include "core/LineFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelmora {
namespace {

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t wrote = ::write(fd, bytes.data(), bytes.size());
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(wrote));
    }
    return true;
}

std::string DirectoryOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows symbolic links so that the link stays and its target is replaced.
std::string ResolveLinks(std::string path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        std::string target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0)
            return path;
        target.resize(static_cast<std::size_t>(n));
        path = target.starts_with('/') ? target : DirectoryOf(path) + "/" + target;
    }
    return path;
}

mode_t DefaultFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool WriteAllAt(int fd, std::string_view bytes)
{
    for (off_t at = 0; !bytes.empty();) {
        const ssize_t wrote = ::pwrite(fd, bytes.data(), bytes.size(), at);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(wrote));
        at += wrote;
    }
    return true;
}

void WriteInPlace(const std::string& shownPath, const std::string& path, std::string_view bytes)
{
    // O_NONBLOCK: opening a fifo that nobody reads fails instead of hanging.
    TFileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666));
    if (fd.Get() < 0)
        ThrowCannotCreate(shownPath);
    ::fcntl(fd.Get(), F_SETFL, ::fcntl(fd.Get(), F_GETFL) & ~O_NONBLOCK);
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        if (!WriteAll(fd.Get(), bytes) || !fd.Close())
            ThrowWriteError();
        return;
    }
    // Without a temporary file the old bytes are overwritten, so a write that fails puts them
    // back; the blocks they held are still the file's, so that write needs no new space.
    std::optional<std::string> old;
    try {
        old = ReadWholeFile(path);
    } catch (const TKelmoraError&) {
        (void)::ftruncate(fd.Get(), 0); // a file we may write but not read
    }
    if (!WriteAllAt(fd.Get(), bytes) || ::ftruncate(fd.Get(), static_cast<off_t>(bytes.size())) != 0 ||
        ::fsync(fd.Get()) != 0) {
        if (old && WriteAllAt(fd.Get(), *old))
            (void)::ftruncate(fd.Get(), static_cast<off_t>(old->size()));
        ThrowWriteError();
    }
    if (!fd.Close())
        ThrowWriteError();
}

} // namespace

void WriteFileSafely(const std::string& path, std::string_view bytes)
{
    const std::string target = ResolveLinks(path);

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    // Only a path that does not exist yet may be created; a link loop, say, is not replaced.
    if (!exists && errno != ENOENT)
        ThrowCannotCreate(path);
    if (exists && S_ISDIR(old.st_mode))
        ThrowCannotCreate(path);
    if (exists && !S_ISREG(old.st_mode)) {
        WriteInPlace(path, target, bytes);
        return;
    }
    // A writable directory would let the rename replace a file the user may not write.
    if (exists && ::access(target.c_str(), W_OK) != 0)
        ThrowCannotCreate(path);

    // The temporary name must stay within the longest name the directory takes.
    const std::string name = target.substr(target.rfind('/') + 1);
    std::string temp = DirectoryOf(target) + "/." + name.substr(0, NAME_MAX - 8) + ".XXXXXX";
    TFileDescriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.Get() < 0) {
        // A directory that takes no new file may still let the file itself be rewritten.
        if (exists && (errno == EACCES || errno == EPERM || errno == EROFS)) {
            WriteInPlace(path, target, bytes);
            return;
        }
        ThrowCannotCreate(path);
    }

    const auto discard = [&] { ::unlink(temp.c_str()); };
    if (exists) {
        (void)::fchown(fd.Get(), old.st_uid, old.st_gid);
        ::fchmod(fd.Get(), old.st_mode & 07777);
    } else {
        ::fchmod(fd.Get(), DefaultFileMode());
    }
    if (!WriteAll(fd.Get(), bytes) || ::fsync(fd.Get()) != 0 || !fd.Close()) {
        discard();
        ThrowWriteError();
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        discard();
        ThrowCannotCreate(path);
    }
    // Make the rename itself durable.
    if (const int dir = ::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace kelmora
