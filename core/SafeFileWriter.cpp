#include "core/SafeFileWriter.h"

#include "core/FileDescriptor.h"
#include "core/KelmoraError.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <utility>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace kelmora {
namespace {

// The kernel gives up on a path after this many links (ELOOP).
constexpr int kMaxLinkHops = 40;

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

std::optional<std::string> ReadAllAt(int fd, std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t got = 0; got < size;) {
        const ssize_t n = ::pread(fd, bytes.data() + got, size - got, static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return std::nullopt;
        got += static_cast<std::size_t>(n);
    }
    return bytes;
}

std::string DirectoryOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A link that someone else planted in a shared folder such as /tmp must not aim the save at
// a file of the saver's: in a sticky, world-writable folder a link is followed only when it
// belongs to the folder's owner or to the saver (the kernel's protected_symlinks rule, which
// a save that resolves links itself would otherwise bypass).
bool MayFollow(const std::string& link, const struct stat& linkStat)
{
    struct stat dir {};
    if (::stat(DirectoryOf(link).c_str(), &dir) != 0)
        return false;
    const bool shared = (dir.st_mode & S_ISVTX) && (dir.st_mode & S_IWOTH);
    return !shared || linkStat.st_uid == dir.st_uid || linkStat.st_uid == ::geteuid();
}

// Follows symbolic links so that the link stays and its target is replaced.
std::string ResolveLinks(const std::string& shownPath)
{
    std::string path = shownPath;
    for (int hops = 0;; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        if (hops == kMaxLinkHops || !MayFollow(path, st))
            ThrowCannotCreate(shownPath);
        std::string target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0)
            ThrowCannotCreate(shownPath);
        target.resize(static_cast<std::size_t>(n));
        if (target.starts_with('/')) {
            path = std::move(target);
        } else {
            path = DirectoryOf(path);
            path += '/';
            path += target;
        }
    }
}

mode_t DefaultFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A write past the process's file size limit would end it with SIGXFSZ half-way through.
bool WithinFileSizeLimit(std::size_t size)
{
    rlimit limit{};
    return ::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY || size <= limit.rlim_cur;
}

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
    if (::posix_fallocate(fd, 0, static_cast<off_t>(newSize)) == 0)
        return true;
    (void)::ftruncate(fd, oldSize);
    return false;
}

// For a directory that takes no new file: the file itself is rewritten. The new size is
// reserved first; the old bytes, where they can be read, go back if the write fails anyway.
void WriteInPlace(const std::string& shownPath, const std::string& targetPath, std::string_view newBytes)
{
    TFileDescriptor fd(::open(targetPath.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
    if (fd.Get() < 0 && errno == EACCES)
        fd = TFileDescriptor(::open(targetPath.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
    if (fd.Get() < 0)
        ThrowCannotCreate(shownPath);
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode))
        ThrowCannotCreate(shownPath);
    if (!WithinFileSizeLimit(newBytes.size()) || !ReserveSpace(fd.Get(), st.st_size, newBytes.size()))
        ThrowWriteError();
    const std::optional<std::string> old = ReadAllAt(fd.Get(), static_cast<std::size_t>(st.st_size));
    if (!WriteAllAt(fd.Get(), newBytes) || ::ftruncate(fd.Get(), static_cast<off_t>(newBytes.size())) != 0 ||
        ::fsync(fd.Get()) != 0) {
        if (old && WriteAllAt(fd.Get(), *old))
            (void)::ftruncate(fd.Get(), static_cast<off_t>(old->size()));
        ThrowWriteError();
    }
    if (!fd.Close())
        ThrowWriteError();
}

// The old file's owner, permissions and extended attributes (ACLs among them) pass to the
// new one as far as the saver may give them. Set-id bits stay only where the owner did.
void CopyAttributes(int fd, const std::string& oldPath, const struct stat& old)
{
    if (::fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    struct stat now {};
    if (::fstat(fd, &now) != 0)
        now.st_uid = now.st_gid = static_cast<uid_t>(-1);
    const bool sameOwner = now.st_uid == old.st_uid;
    mode_t mode = old.st_mode & 07777;
    if (!sameOwner)
        mode &= ~static_cast<mode_t>(S_ISUID);
    if (!sameOwner || now.st_gid != old.st_gid)
        mode &= ~static_cast<mode_t>(S_ISGID);

    const ssize_t listSize = ::listxattr(oldPath.c_str(), nullptr, 0);
    if (listSize > 0) {
        std::string names(static_cast<std::size_t>(listSize), '\0');
        const ssize_t got = ::listxattr(oldPath.c_str(), names.data(), names.size());
        names.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        for (std::size_t at = 0; at < names.size(); at = names.find('\0', at) + 1) {
            const std::string name = names.c_str() + at;
            // File capabilities are privileges, like set-id bits.
            if (name.empty() || (name == "security.capability" && !sameOwner))
                continue;
            const ssize_t valueSize = ::getxattr(oldPath.c_str(), name.c_str(), nullptr, 0);
            if (valueSize < 0)
                continue;
            std::string value(static_cast<std::size_t>(valueSize), '\0');
            const ssize_t copied = ::getxattr(oldPath.c_str(), name.c_str(), value.data(), value.size());
            if (copied >= 0)
                (void)::fsetxattr(fd, name.c_str(), value.data(), static_cast<std::size_t>(copied), 0);
        }
    }
    // After the ACL, whose mask the old mode already agrees with; a chown may have cleared the
    // set-id bits, so they are set here too.
    ::fchmod(fd, mode);
}

std::string RandomSuffix()
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string suffix(6, '\0');
    for (char& c : suffix)
        c = kLetters[pick(random)];
    return suffix;
}

} // namespace

// The temporary file beside the target. Unnamed where the file system allows, so that a save
// killed part-way leaves nothing behind; `name` is empty until it has one.
struct TSafeFileWriter::TemporaryFile {
    TFileDescriptor fd;
    std::string name;
    std::string pattern; // a name of the longest length the directory takes, XXXXXX replaced

    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        if (!name.empty())
            ::unlink(name.c_str());
    }

    // errno tells why when it returns false.
    bool Create(const std::string& directory)
    {
        // Without /proc an unnamed file could not be given its name at the end.
        if (::access("/proc/self/fd", X_OK) == 0) {
            fd = TFileDescriptor(::open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
            if (fd.Valid())
                return true;
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
                return false;
        }
        std::string temp = pattern;
        fd = TFileDescriptor(::mkostemp(temp.data(), O_CLOEXEC));
        if (!fd.Valid())
            return false;
        name = temp;
        return true;
    }

    // Gives an unnamed file a name, only now that its contents are complete.
    bool Link()
    {
        if (!name.empty())
            return true;
        const std::string self = "/proc/self/fd/" + std::to_string(fd.Get());
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string temp = pattern;
            temp.replace(temp.size() - 6, 6, RandomSuffix());
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                name = temp;
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    void Renamed() { name.clear(); }
};

TSafeFileWriter::TSafeFileWriter() = default;

TSafeFileWriter::~TSafeFileWriter() = default;

void TSafeFileWriter::Open(const std::string& path)
{
    temp_.reset();
    held_.clear();
    written_ = 0;
    mode_ = Mode::Closed;
    shownPath_ = path;
    target_ = ResolveLinks(path);

    struct stat old {};
    const bool exists = ::stat(target_.c_str(), &old) == 0;
    // Only a path that does not exist yet may be created; a link loop, say, is not replaced.
    if (!exists && errno != ENOENT)
        ThrowCannotCreate(path);
    if (exists && S_ISDIR(old.st_mode))
        ThrowCannotCreate(path);
    if (exists && !S_ISREG(old.st_mode)) {
        // O_NONBLOCK: opening a fifo that nobody reads fails instead of hanging.
        TFileDescriptor fd(::open(target_.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
        if (fd.Get() < 0)
            ThrowCannotCreate(path);
        ::fcntl(fd.Get(), F_SETFL, ::fcntl(fd.Get(), F_GETFL) & ~O_NONBLOCK);
        temp_ = std::make_unique<TemporaryFile>();
        temp_->fd = std::move(fd);
        mode_ = Mode::Special;
        return;
    }
    // A writable directory would let the rename replace a file the user may not write.
    if (exists && ::access(target_.c_str(), W_OK) != 0)
        ThrowCannotCreate(path);

    directory_ = DirectoryOf(target_);
    // The temporary name must stay within the longest name the directory takes.
    const std::string name = target_.substr(target_.rfind('/') + 1);
    auto temp = std::make_unique<TemporaryFile>();
    temp->pattern = directory_ + "/." + name.substr(0, NAME_MAX - 8) + ".XXXXXX";
    if (!temp->Create(directory_)) {
        // A directory that takes no new file may still let the file itself be rewritten; that
        // needs the whole new size before the first old byte is overwritten, so it is held.
        if (exists && (errno == EACCES || errno == EPERM || errno == EROFS)) {
            mode_ = Mode::InPlace;
            return;
        }
        ThrowCannotCreate(path);
    }
    if (exists)
        CopyAttributes(temp->fd.Get(), target_, old);
    else
        ::fchmod(temp->fd.Get(), DefaultFileMode());
    temp_ = std::move(temp);
    mode_ = Mode::Temporary;
}

void TSafeFileWriter::Write(std::string_view bytes)
{
    switch (mode_) {
    case Mode::Closed:
        ThrowWriteError();
    case Mode::InPlace:
        held_.append(bytes);
        return;
    case Mode::Temporary:
    case Mode::Special:
        // Past the file size limit the kernel would end the process half-way through.
        if (!WithinFileSizeLimit(written_ + bytes.size()) || !WriteAll(temp_->fd.Get(), bytes)) {
            Discard();
            ThrowWriteError();
        }
        written_ += bytes.size();
        return;
    }
}

void TSafeFileWriter::Commit()
{
    const Mode mode = mode_;
    mode_ = Mode::Closed;
    switch (mode) {
    case Mode::Closed:
        ThrowWriteError();
    case Mode::InPlace: {
        const std::string bytes = std::move(held_);
        held_.clear();
        WriteInPlace(shownPath_, target_, bytes);
        return;
    }
    case Mode::Special: {
        const bool closed = temp_->fd.Close();
        temp_.reset();
        if (!closed)
            ThrowWriteError();
        return;
    }
    case Mode::Temporary:
        break;
    }
    // The temporary file goes (unlinked if it was named) when temp_ does, whatever fails here.
    const std::unique_ptr<TemporaryFile> temp = std::move(temp_);
    if (::fsync(temp->fd.Get()) != 0)
        ThrowWriteError();
    if (!temp->Link())
        ThrowCannotCreate(shownPath_);
    if (!temp->fd.Close())
        ThrowWriteError();
    if (::rename(temp->name.c_str(), target_.c_str()) != 0)
        ThrowCannotCreate(shownPath_);
    temp->Renamed();
    // Make the rename itself durable.
    if (const TFileDescriptor dir(::open(directory_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)); dir.Valid())
        ::fsync(dir.Get());
}

void TSafeFileWriter::Discard()
{
    mode_ = Mode::Closed;
    temp_.reset();
    held_.clear();
    held_.shrink_to_fit();
}

void WriteFileSafely(const std::string& path, std::string_view bytes)
{
    TSafeFileWriter writer;
    writer.Open(path);
    writer.Write(bytes);
    writer.Commit();
}

} // namespace kelmora
