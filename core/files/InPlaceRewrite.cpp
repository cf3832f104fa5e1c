#include "core/files/InPlaceRewrite.h"

#include "core/base/FileDescriptor.h"
#include "core/files/FilePrivileges.h"
#include "core/files/FileWrites.h"
#include "core/base/KelmoraError.h"
#include "core/files/SaveTarget.h"
#include "core/base/SystemReason.h"

#include <cerrno>
#include <cstdlib>
#include <vector>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelmora {
namespace {

// Takes the blocks the new text needs before any old byte is overwritten, so that a full
// disk or a quota fails here; the file keeps its size and contents either way.
bool ReserveSpace(int fd, off_t oldSize, std::size_t newSize)
{
    if (newSize == 0)
        return true;
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(newSize)) == 0)
        return true;
    if (errno != EOPNOTSUPP)
        return false;
    // posix_fallocate may grow the file; zeros past the old end are all it adds.
    const int failed = ::posix_fallocate(fd, 0, static_cast<off_t>(newSize));
    if (failed == 0)
        return true;
    (void)::ftruncate(fd, oldSize);
    errno = failed;
    return false;
}

// `size` bytes from the start of `from` to the start of `to`, through the kernel where it can,
// else through a small buffer; errno tells why when it returns false.
bool CopyBytes(int from, int to, std::size_t size)
{
    loff_t in = 0;
    loff_t out = 0;
    while (static_cast<std::size_t>(in) < size) {
        const ssize_t n = ::copy_file_range(from, &in, to, &out, size - static_cast<std::size_t>(in), 0);
        if (n > 0)
            continue;
        if (n == 0) {
            errno = EIO; // the file shrank under us
            return false;
        }
        if (errno == EINTR)
            continue;
        if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP)
            return false;
        std::vector<char> buffer(1 << 16);
        while (static_cast<std::size_t>(in) < size) {
            const ssize_t got = ::pread(from, buffer.data(), buffer.size(), in);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0) {
                if (got == 0)
                    errno = EIO;
                return false;
            }
            if (!WriteAll(to, std::string_view(buffer.data(), static_cast<std::size_t>(got)), in))
                return false;
            in += got;
        }
        return true;
    }
    return true;
}

std::string CacheFolder()
{
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache != nullptr && cache[0] == '/')
        return cache;
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/')
        return std::string(home) + "/.cache";
    if (const passwd* user = ::getpwuid(::geteuid()); user != nullptr && user->pw_dir != nullptr)
        return std::string(user->pw_dir) + "/.cache";
    return {};
}

// The folder of KeptCopiesFolder, made if need be; empty when there is no cache folder.
std::string EnsureKeptCopiesFolder()
{
    std::string folder = KeptCopiesFolder();
    if (!folder.empty()) {
        (void)::mkdir(folder.substr(0, folder.rfind('/')).c_str(), 0700);
        (void)::mkdir(folder.c_str(), 0700);
    }
    return folder;
}

// The copy of the old bytes, named after the file; it is removed when this goes, unless kept.
class TKeptCopy {
public:
    TKeptCopy() = default;
    TKeptCopy(const TKeptCopy&) = delete;
    TKeptCopy& operator=(const TKeptCopy&) = delete;
    ~TKeptCopy()
    {
        if (!path_.empty() && !keep_)
            ::unlink(path_.c_str());
    }

    // errno tells why when it returns false.
    bool Make(int file, std::size_t size, const std::string& name)
    {
        const std::string folder = EnsureKeptCopiesFolder();
        if (folder.empty()) {
            errno = ENOENT;
            return false;
        }
        std::string path = folder + "/" + name.substr(0, 200) + ".XXXXXX";
        fd_ = TFileDescriptor(::mkostemp(path.data(), O_CLOEXEC));
        if (!fd_.Valid())
            return false;
        path_ = path;
        return CopyBytes(file, fd_.Get(), size) && ::fsync(fd_.Get()) == 0;
    }

    // Puts the old bytes back into `file`.
    bool PutBack(int file, std::size_t size) const
    {
        return CopyBytes(fd_.Get(), file, size) && ::ftruncate(file, static_cast<off_t>(size)) == 0 &&
            ::fsync(file) == 0;
    }

    const std::string& Keep()
    {
        keep_ = true;
        return path_;
    }

private:
    TFileDescriptor fd_;
    std::string path_;
    bool keep_ = false;
};

} // namespace

std::string KeptCopiesFolder()
{
    const std::string cache = CacheFolder();
    return cache.empty() ? cache : cache + "/kelmora";
}

TFileDescriptor CreateSpoolFile(const std::string& shownPath)
{
    const std::string folder = EnsureKeptCopiesFolder();
    if (folder.empty())
        throw TKelmoraError(messages::kCannotKeepOldBytes, {AbsolutePathText(shownPath), SystemReason(ENOENT)});
    TFileDescriptor spool(::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
    if (!spool.Valid()) {
        std::string path = folder + "/spool.XXXXXX";
        spool = TFileDescriptor(::mkostemp(path.data(), O_CLOEXEC));
        if (spool.Valid())
            ::unlink(path.c_str());
    }
    if (!spool.Valid())
        throw TKelmoraError(messages::kCannotKeepOldBytes, {AbsolutePathText(shownPath), SystemReason(errno)});
    return spool;
}

TFileDescriptor OpenForRewrite(const TSaveTarget& target, const std::string& shownPath)
{
    // Read and write: the old bytes must be copied before the first one is overwritten.
    TFileDescriptor fd(
        ::openat(target.folder.Get(), target.name.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
    if (!fd.Valid())
        throw TKelmoraError(messages::kCannotKeepOldBytes, {AbsolutePathText(shownPath), SystemReason(errno)});
    return fd;
}

void RewriteInPlace(TFileDescriptor fd, const TSaveTarget& target, const std::string& shownPath, int newBytes,
                    std::size_t newSize)
{
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode))
        ThrowCannotCreate(shownPath, EINVAL);
    if (!WithinFileSizeLimit(newSize))
        ThrowWriteError(shownPath, EFBIG);
    const auto oldSize = static_cast<std::size_t>(st.st_size);
    if (!ReserveSpace(fd.Get(), st.st_size, newSize))
        ThrowWriteError(shownPath, errno);
    TKeptCopy copy;
    if (!copy.Make(fd.Get(), oldSize, target.name)) {
        const int error = errno;
        (void)::ftruncate(fd.Get(), st.st_size);
        throw TKelmoraError(messages::kCannotKeepOldBytes, {AbsolutePathText(shownPath), SystemReason(error)});
    }
    const TFilePrivileges privileges = TFilePrivileges::Of(st, target.Path(), st.st_uid, st.st_gid);
    if (!CopyBytes(newBytes, fd.Get(), newSize) || ::ftruncate(fd.Get(), static_cast<off_t>(newSize)) != 0 ||
        ::fsync(fd.Get()) != 0) {
        const int error = errno;
        if (copy.PutBack(fd.Get(), oldSize))
            ThrowWriteError(shownPath, error);
        throw TKelmoraError(messages::kWriteErrorOldBytesKeptAt,
                            {AbsolutePathText(shownPath), SystemReason(error), AbsolutePathText(copy.Keep())});
    }
    privileges.ApplyTo(fd.Get());
    if (!fd.Close())
        ThrowWriteError(shownPath, errno);
}

} // namespace kelmora
