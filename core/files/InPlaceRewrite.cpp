#include "core/files/InPlaceRewrite.h"

#include "core/base/FileDescriptor.h"
#include "core/files/FilePrivileges.h"
#include "core/files/FileWrites.h"
#include "core/files/KeptCopiesFolder.h"
#include "core/base/KelmoraError.h"
#include "core/files/SaveTarget.h"
#include "core/base/SystemReason.h"

#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
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

// Two rewrites of one file at once would leave the second's head over the first's tail, and
// the first's copy of the old bytes would hold neither: the second waits for the first. A file
// system without locks has none to wait for.
void LockForRewrite(int fd, const std::string& shownPath)
{
    constexpr int kWaits = 1500; // 30 s: a rewrite of a large file on a slow disk
    for (int waited = 0; ::flock(fd, LOCK_EX | LOCK_NB) != 0;) {
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            return;
        if (++waited > kWaits)
            throw TKelmoraError(messages::kRewrittenByAnotherSave, {AbsolutePathText(shownPath)});
        ::usleep(20000);
    }
}

// The copy of the old bytes, named after the file; it is removed when this goes, unless kept.
class TKeptCopy {
public:
    explicit TKeptCopy(const TKeptCopiesFolder& folder) : folder_(folder) {}
    TKeptCopy(const TKeptCopy&) = delete;
    TKeptCopy& operator=(const TKeptCopy&) = delete;
    ~TKeptCopy()
    {
        if (!path_.empty() && !keep_)
            folder_.Remove(path_);
    }

    // errno tells why when it returns false.
    bool Make(int file, std::size_t size, const std::string& name)
    {
        fd_ = folder_.CreateNamed(name, path_);
        return fd_.Valid() && CopyBytes(file, fd_.Get(), size) && ::fsync(fd_.Get()) == 0;
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
    const TKeptCopiesFolder& folder_;
    TFileDescriptor fd_;
    std::string path_;
    bool keep_ = false;
};

} // namespace

TFileDescriptor OpenForRewrite(const TSaveTarget& target, const std::string& shownPath)
{
    // Read and write: the old bytes must be copied before the first one is overwritten.
    TFileDescriptor fd(
        ::openat(target.folder.Get(), target.name.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
    if (!fd.Valid())
        throw TKelmoraError(messages::kCannotKeepOldBytes, {AbsolutePathText(shownPath), SystemReason(errno)});
    return fd;
}

void RewriteInPlace(TFileDescriptor fd, const TSaveTarget& target, const TKeptCopiesFolder& cache,
                    const std::string& shownPath, int newBytes, std::size_t newSize)
{
    LockForRewrite(fd.Get(), shownPath);
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode))
        ThrowCannotCreate(shownPath, EINVAL);
    if (!WithinFileSizeLimit(newSize))
        ThrowWriteError(shownPath, EFBIG);
    const auto oldSize = static_cast<std::size_t>(st.st_size);
    if (!ReserveSpace(fd.Get(), st.st_size, newSize))
        ThrowWriteError(shownPath, errno);
    TKeptCopy copy(cache);
    if (!copy.Make(fd.Get(), oldSize, target.name)) {
        const int error = errno;
        (void)::ftruncate(fd.Get(), st.st_size);
        // The file was opened for reading: a copy that fails is the cache's failure.
        cache.Refuse(shownPath, error);
    }
    const TFilePrivileges privileges = TFilePrivileges::Of(st, fd.Get(), st.st_uid, st.st_gid);
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
