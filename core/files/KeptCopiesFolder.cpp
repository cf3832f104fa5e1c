#include "core/files/KeptCopiesFolder.h"

#include "core/base/KelmoraError.h"
#include "core/base/SystemReason.h"
#include "core/files/FileWrites.h"
#include "core/files/SaveTarget.h"

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelmora {
namespace {

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

[[noreturn]] void RefuseFolder(const std::string& shownPath, const std::string& folder, std::string_view reason)
{
    throw TKelmoraError(messages::kCannotUseCacheFolder,
                        {AbsolutePathText(shownPath), folder, std::string(reason)});
}

// The folder `name` in `parent`, made if missing where the rules allow; checked to be the
// saver's and writable by no one else.
TFileDescriptor OpenOwnFolder(int parent, const std::string& name, const std::string& path,
                              const std::string& shownPath)
{
    TFileDescriptor folder(::openat(parent, name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!folder.Valid() && errno == ENOENT) {
        struct stat where {};
        if (::fstat(parent, &where) != 0)
            RefuseFolder(shownPath, path, SystemReason(errno));
        if (where.st_uid != ::geteuid() && where.st_uid != 0)
            RefuseFolder(shownPath, path, messages::kNotMadeInOthersFolder);
        if (::mkdirat(parent, name.c_str(), 0700) != 0 && errno != EEXIST)
            RefuseFolder(shownPath, path, SystemReason(errno));
        folder = TFileDescriptor(::openat(parent, name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    }
    if (!folder.Valid())
        RefuseFolder(shownPath, path, SystemReason(errno == ELOOP ? ENOTDIR : errno));
    struct stat st {};
    if (::fstat(folder.Get(), &st) != 0)
        RefuseFolder(shownPath, path, SystemReason(errno));
    if (st.st_uid != ::geteuid())
        RefuseFolder(shownPath, path, messages::kNotTheSaversFolder);
    if (st.st_mode & (S_IWGRP | S_IWOTH))
        RefuseFolder(shownPath, path, messages::kWritableByOthers);
    return folder;
}

} // namespace

std::string KeptCopiesFolder()
{
    const std::string cache = CacheFolder();
    return cache.empty() ? cache : cache + "/kelmora";
}

TKeptCopiesFolder TKeptCopiesFolder::Open(const std::string& shownPath)
{
    const std::string cache = CacheFolder();
    if (cache.empty())
        throw TKelmoraError(messages::kCannotKeepOldBytes, {AbsolutePathText(shownPath), SystemReason(ENOENT)});
    TSaveTarget target;
    try {
        target = ResolveSaveTarget(cache);
    } catch (const TKelmoraError& error) {
        // The walk's refusal names the path and gives the reason last.
        RefuseFolder(shownPath, cache, error.Arguments().empty() ? error.what() : error.Arguments().back());
    }
    if (target.opened.Valid())
        RefuseFolder(shownPath, cache, SystemReason(ENOTDIR));
    const TFileDescriptor cacheFolder = OpenOwnFolder(target.folder.Get(), target.name, cache, shownPath);
    TKeptCopiesFolder kept;
    kept.path_ = cache + "/kelmora";
    kept.folder_ = OpenOwnFolder(cacheFolder.Get(), "kelmora", kept.path_, shownPath);
    return kept;
}

TFileDescriptor TKeptCopiesFolder::CreateUnnamed() const
{
    TFileDescriptor file(::openat(folder_.Get(), ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
    if (file.Valid() || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
        return file;
    std::string path;
    file = CreateNamed("spool", path);
    if (file.Valid())
        Remove(path);
    return file;
}

TFileDescriptor TKeptCopiesFolder::CreateNamed(const std::string& stem, std::string& path) const
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = stem.substr(0, 200) + "." + RandomSuffix();
        TFileDescriptor file(::openat(folder_.Get(), name.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0600));
        if (file.Valid()) {
            path = path_ + "/" + name;
            return file;
        }
        if (errno != EEXIST)
            return file;
    }
    return TFileDescriptor();
}

void TKeptCopiesFolder::Remove(const std::string& path) const
{
    ::unlinkat(folder_.Get(), path.substr(path.rfind('/') + 1).c_str(), 0);
}

void TKeptCopiesFolder::Refuse(const std::string& shownPath, int error) const
{
    RefuseFolder(shownPath, path_, SystemReason(error));
}

} // namespace kelmora
