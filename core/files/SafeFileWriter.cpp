#include "core/files/SafeFileWriter.h"

#include "core/base/FileDescriptor.h"
#include "core/files/FileWrites.h"
#include "core/files/InPlaceRewrite.h"
#include "core/files/KeptCopiesFolder.h"
#include "core/base/SystemReason.h"
#include "core/base/KelmoraError.h"

#include <cerrno>
#include <climits>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace kelmora {
namespace {

// The old file's owner and extended attributes (ACLs among them) pass to the new one as far as
// the saver may give them, read through `oldFile` so that nothing swapped in on the path
// meanwhile lends its own. Returns the permissions for after the write.
TFilePrivileges CopyAttributes(int fd, int oldFile, const struct stat& old)
{
    if (::fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    struct stat now {};
    if (::fstat(fd, &now) != 0)
        now.st_uid = now.st_gid = static_cast<uid_t>(-1);
    for (const std::string& name : AttributeNamesOf(oldFile)) {
        // Capabilities are privileges, like set-id bits: TFilePrivileges gives them later.
        if (name.empty() || name == "security.capability")
            continue;
        if (const std::optional<std::string> value = AttributeOf(oldFile, name.c_str()))
            (void)::fsetxattr(fd, name.c_str(), value->data(), value->size(), 0);
    }
    // The mode is set after the ACL, whose mask the old mode already agrees with.
    return TFilePrivileges::Of(old, oldFile, now.st_uid, now.st_gid);
}

// The regular file `pathOnly` (an O_PATH descriptor) opened for reading where the saver may,
// so that its attributes are read through it even without /proc; else `pathOnly` itself.
TFileDescriptor ReadableFile(int folder, const std::string& name, TFileDescriptor pathOnly, const struct stat& st)
{
    TFileDescriptor readable(::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat now {};
    if (readable.Valid() && ::fstat(readable.Get(), &now) == 0 && now.st_dev == st.st_dev && now.st_ino == st.st_ino)
        return readable;
    return pathOnly;
}

} // namespace

// The temporary file beside the target. Unnamed where the file system allows, so that a save
// killed part-way leaves nothing behind; `name` is empty until it has one.
struct TSafeFileWriter::TemporaryFile {
    TFileDescriptor fd;
    int folder = -1; // the target's, which outlives this
    std::string name;
    std::string prefix; // a name of the longest length the folder takes, without its suffix

    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        if (!name.empty())
            ::unlinkat(folder, name.c_str(), 0);
    }

    // errno tells why when it returns false. `mode` is masked by the umask (or the folder's
    // default ACL) as any new file's.
    bool Create(mode_t mode)
    {
        // Without /proc an unnamed file could not be given its name at the end.
        if (::access("/proc/self/fd", X_OK) == 0) {
            fd = TFileDescriptor(::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
            if (fd.Valid())
                return true;
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
                return false;
        }
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string temp = prefix + RandomSuffix();
            fd = TFileDescriptor(::openat(folder, temp.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, mode));
            if (fd.Valid()) {
                name = temp;
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    // Gives an unnamed file a name, only now that its contents are complete.
    bool Link()
    {
        if (!name.empty())
            return true;
        const std::string self = "/proc/self/fd/" + std::to_string(fd.Get());
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string temp = prefix + RandomSuffix();
            if (::linkat(AT_FDCWD, self.c_str(), folder, temp.c_str(), AT_SYMLINK_FOLLOW) == 0) {
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

std::optional<TFileIdentity> TSafeFileWriter::ReplacedFile() const
{
    return replaced_;
}

void TSafeFileWriter::Open(const std::string& path)
{
    Discard();
    written_ = 0;
    truncateAtCommit_ = false;
    replaced_.reset();
    shownPath_ = path;
    target_ = ResolveSaveTarget(path);

    if (target_.opened.Valid()) {
        struct stat st {};
        if (::fstat(target_.opened.Get(), &st) != 0)
            ThrowCannotCreate(path, errno);
        if (S_ISREG(st.st_mode))
            replaced_ = TFileIdentity{st.st_dev, st.st_ino};
        // Only a file opened anew starts at its beginning; a shared descriptor goes on where
        // it stands.
        truncateAtCommit_ = S_ISREG(st.st_mode) && !target_.ownDescriptor;
        OpenSpecial(std::move(target_.opened));
        return;
    }
    const int folder = target_.folder.Get();
    // The old file's identity, mode and attributes are all read through this one descriptor.
    TFileDescriptor oldFile(::openat(folder, target_.name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    struct stat old {};
    const bool exists = oldFile.Valid() && ::fstat(oldFile.Get(), &old) == 0;
    if (!exists && errno != ENOENT)
        ThrowCannotCreate(path, errno);
    if (exists && S_ISDIR(old.st_mode))
        ThrowCannotCreate(path, EISDIR);
    if (exists && !S_ISREG(old.st_mode)) {
        // O_NONBLOCK: opening a fifo that nobody reads fails instead of hanging.
        TFileDescriptor fd(
            ::openat(folder, target_.name.c_str(), O_WRONLY | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC | O_NONBLOCK));
        if (!fd.Valid())
            ThrowCannotCreate(path, errno);
        OpenSpecial(std::move(fd));
        return;
    }
    if (exists) {
        replaced_ = TFileIdentity{old.st_dev, old.st_ino};
        oldFile = ReadableFile(folder, target_.name, std::move(oldFile), old);
    }
    // A writable folder would let the rename replace a file the user may not write.
    if (exists && ::faccessat(folder, target_.name.c_str(), W_OK, 0) != 0)
        ThrowCannotCreate(path, errno);

    // The temporary name must stay within the longest name the folder takes.
    auto temp = std::make_unique<TemporaryFile>();
    temp->folder = folder;
    temp->prefix = "." + target_.name.substr(0, NAME_MAX - 8) + ".";
    // A new file is made with the mode any new file gets; the old file's bytes stay the
    // saver's alone until its permissions are given.
    if (!temp->Create(exists ? 0600 : 0666)) {
        // A folder that takes no new file may still let the file itself be rewritten; that
        // needs the whole new size before the first old byte is overwritten, so the new bytes
        // wait in an unnamed file of the cache folder.
        if (exists && (errno == EACCES || errno == EPERM || errno == EROFS)) {
            inPlaceFile_ = OpenForRewrite(target_, path);
            cache_ = std::make_unique<TKeptCopiesFolder>(TKeptCopiesFolder::Open(path));
            temp = std::make_unique<TemporaryFile>();
            temp->fd = cache_->CreateUnnamed();
            if (!temp->fd.Valid())
                cache_->Refuse(path, errno);
            temp_ = std::move(temp);
            mode_ = Mode::InPlace;
            return;
        }
        ThrowCannotCreate(path, errno);
    }
    struct stat fresh {};
    if (exists)
        privileges_ = CopyAttributes(temp->fd.Get(), oldFile.Get(), old);
    else if (::fstat(temp->fd.Get(), &fresh) == 0)
        privileges_ = TFilePrivileges::Of(fresh, -1, fresh.st_uid, fresh.st_gid);
    else
        ThrowCannotCreate(path, errno);
    temp_ = std::move(temp);
    mode_ = Mode::Temporary;
}

void TSafeFileWriter::OpenSpecial(TFileDescriptor fd)
{
    ::fcntl(fd.Get(), F_SETFL, ::fcntl(fd.Get(), F_GETFL) & ~O_NONBLOCK);
    temp_ = std::make_unique<TemporaryFile>();
    temp_->fd = std::move(fd);
    mode_ = Mode::Special;
}

void TSafeFileWriter::Write(std::string_view bytes)
{
    switch (mode_) {
    case Mode::Closed:
        ThrowWriteError(shownPath_, EBADF);
    case Mode::InPlace:
    case Mode::Temporary:
    case Mode::Special:
        // Past the file size limit the kernel would end the process half-way through.
        const bool fits = WithinFileSizeLimit(written_ + bytes.size());
        if (!fits || !WriteAll(temp_->fd.Get(), bytes)) {
            const int error = fits ? errno : EFBIG;
            const std::string cache = mode_ == Mode::InPlace && fits ? cache_->Path() : std::string();
            Discard();
            // An in-place save's new bytes wait in the cache folder: its failure is the cache's.
            if (!cache.empty())
                throw TKelmoraError(messages::kWriteErrorInCacheFolder,
                                    {AbsolutePathText(shownPath_), cache, SystemReason(error)});
            ThrowWriteError(shownPath_, error);
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
        ThrowWriteError(shownPath_, EBADF);
    case Mode::InPlace: {
        const std::unique_ptr<TemporaryFile> spool = std::move(temp_);
        const std::unique_ptr<TKeptCopiesFolder> cache = std::move(cache_);
        RewriteInPlace(std::move(inPlaceFile_), target_, *cache, shownPath_, spool->fd.Get(), written_);
        return;
    }
    case Mode::Special: {
        // Another process's file named through /proc is written from its start, as a shell's >
        // would.
        if (truncateAtCommit_)
            (void)::ftruncate(temp_->fd.Get(), static_cast<off_t>(written_));
        const bool closed = temp_->fd.Close();
        const int error = errno;
        temp_.reset();
        if (!closed)
            ThrowWriteError(shownPath_, error);
        return;
    }
    case Mode::Temporary:
        break;
    }
    // The temporary file goes (unlinked if it was named) when temp_ does, whatever fails here.
    const std::unique_ptr<TemporaryFile> temp = std::move(temp_);
    // Writing cleared what a write clears (set-id bits, capabilities): they come now.
    privileges_->ApplyTo(temp->fd.Get());
    if (::fsync(temp->fd.Get()) != 0)
        ThrowWriteError(shownPath_, errno);
    if (!temp->Link())
        ThrowCannotCreate(shownPath_, errno);
    if (!temp->fd.Close())
        ThrowWriteError(shownPath_, errno);
    if (::renameat(target_.folder.Get(), temp->name.c_str(), target_.folder.Get(), target_.name.c_str()) != 0)
        ThrowCannotCreate(shownPath_, errno);
    temp->Renamed();
    // Make the rename itself durable.
    if (const TFileDescriptor dir(::openat(target_.folder.Get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)); dir.Valid())
        ::fsync(dir.Get());
}

void TSafeFileWriter::Discard()
{
    mode_ = Mode::Closed;
    temp_.reset();
    privileges_.reset();
    inPlaceFile_.Close();
    cache_.reset();
}

void WriteFileSafely(const std::string& path, std::string_view bytes)
{
    TSafeFileWriter writer;
    writer.Open(path);
    writer.Write(bytes);
    writer.Commit();
}

} // namespace kelmora
