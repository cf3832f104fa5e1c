#include "core/files/SaveTarget.h"

#include "core/base/KelmoraError.h"

#include <cerrno>
#include <climits>
#include <deque>
#include <string_view>

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

namespace kelmora {
namespace {

// The kernel gives up on a path after this many links (ELOOP).
constexpr int kMaxLinkHops = 40;

std::deque<std::string> NamesOf(std::string_view path)
{
    std::deque<std::string> names;
    while (!path.empty()) {
        const auto slash = path.find('/');
        const std::string_view name = path.substr(0, slash);
        if (!name.empty() && name != ".")
            names.emplace_back(name);
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    }
    return names;
}

std::string Joined(const std::string& folder, const std::string& name)
{
    std::string path = folder;
    if (!path.ends_with('/'))
        path += '/';
    path += name;
    return path;
}

std::string ParentOf(const std::string& folder)
{
    const auto slash = folder.rfind('/');
    return slash == 0 || slash == std::string::npos ? "/" : folder.substr(0, slash);
}

bool OnProc(int folder)
{
    struct statfs fs {};
    return ::fstatfs(folder, &fs) == 0 && fs.f_type == PROC_SUPER_MAGIC;
}

// In a sticky, world-writable folder such as /tmp only the folder's owner and the saver
// may have planted the link.
bool MayFollow(int folder, const struct stat& link)
{
    struct stat dir {};
    if (::fstat(folder, &dir) != 0)
        return false;
    const bool shared = (dir.st_mode & S_ISVTX) && (dir.st_mode & S_IWOTH);
    return !shared || link.st_uid == dir.st_uid || link.st_uid == ::geteuid();
}

bool IsOwnDescriptorFolder(const std::string& folder)
{
    return folder == "/proc/self/fd" || folder == "/proc/thread-self/fd" ||
        folder == "/proc/" + std::to_string(::getpid()) + "/fd";
}

std::string CurrentFolder()
{
    std::string cwd(PATH_MAX, '\0');
    if (::getcwd(cwd.data(), cwd.size()) == nullptr)
        return ".";
    cwd.resize(cwd.find('\0'));
    return cwd;
}

} // namespace

std::string TSaveTarget::Path() const
{
    return Joined(folderPath, name);
}

TSaveTarget ResolveSaveTarget(const std::string& shownPath)
{
    if (shownPath.empty())
        ThrowCannotCreate(shownPath, ENOENT);
    if (shownPath.back() == '/')
        ThrowCannotCreate(shownPath, EISDIR);
    const auto openFolder = [&](const char* path) {
        TFileDescriptor fd(::open(path, O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (!fd.Valid())
            ThrowCannotCreate(shownPath, errno);
        return fd;
    };
    TSaveTarget target;
    const bool absolute = shownPath.front() == '/';
    target.folder = openFolder(absolute ? "/" : ".");
    target.folderPath = absolute ? "/" : CurrentFolder();
    std::deque<std::string> names = NamesOf(shownPath);
    int hops = 0;
    while (!names.empty()) {
        std::string name = std::move(names.front());
        names.pop_front();
        const bool last = names.empty();
        if (name == "..") {
            TFileDescriptor parent(::openat(target.folder.Get(), "..", O_PATH | O_DIRECTORY | O_CLOEXEC));
            if (!parent.Valid())
                ThrowCannotCreate(shownPath, errno);
            target.folder = std::move(parent);
            target.folderPath = ParentOf(target.folderPath);
            if (last)
                ThrowCannotCreate(shownPath, EISDIR);
            continue;
        }
        TFileDescriptor entry(::openat(target.folder.Get(), name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        if (!entry.Valid()) {
            if (errno == ENOENT && last) {
                target.name = std::move(name);
                return target;
            }
            ThrowCannotCreate(shownPath, errno);
        }
        struct stat st {};
        if (::fstat(entry.Get(), &st) != 0)
            ThrowCannotCreate(shownPath, errno);
        if (S_ISLNK(st.st_mode) && OnProc(target.folder.Get())) {
            // /proc's links are the kernel's own: "self" is a folder, fd/1 an open file.
            TFileDescriptor followed(::openat(target.folder.Get(), name.c_str(), O_PATH | O_CLOEXEC));
            if (!followed.Valid() || ::fstat(followed.Get(), &st) != 0)
                ThrowCannotCreate(shownPath, errno);
            if (!S_ISDIR(st.st_mode) && last) {
                target.ownDescriptor = IsOwnDescriptorFolder(target.folderPath) &&
                    name.find_first_not_of("0123456789") == std::string::npos && name.size() < 10;
                target.opened =
                    TFileDescriptor(target.ownDescriptor ? ::fcntl(std::stoi(name), F_DUPFD_CLOEXEC, 0)
                                                         : ::openat(target.folder.Get(), name.c_str(),
                                                                    O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
                if (!target.opened.Valid())
                    ThrowCannotCreate(shownPath, errno);
                target.name = std::move(name);
                return target;
            }
            entry = std::move(followed);
        } else if (S_ISLNK(st.st_mode)) {
            if (++hops > kMaxLinkHops)
                ThrowCannotCreate(shownPath, ELOOP);
            if (!MayFollow(target.folder.Get(), st))
                ThrowCannotCreate(shownPath, messages::kPlantedLink);
            std::string link(PATH_MAX, '\0');
            const ssize_t size = ::readlinkat(entry.Get(), "", link.data(), link.size());
            if (size < 0)
                ThrowCannotCreate(shownPath, errno);
            link.resize(static_cast<std::size_t>(size));
            if (link.empty())
                ThrowCannotCreate(shownPath, ENOENT);
            std::deque<std::string> linkNames = NamesOf(link);
            if (linkNames.empty() && link.front() != '/')
                ThrowCannotCreate(shownPath, EISDIR);
            names.insert(names.begin(), linkNames.begin(), linkNames.end());
            if (link.front() == '/') {
                target.folder = openFolder("/");
                target.folderPath.assign(1, '/');
                if (names.empty())
                    ThrowCannotCreate(shownPath, EISDIR);
            }
            continue;
        }
        if (last) {
            target.name = std::move(name);
            return target;
        }
        if (!S_ISDIR(st.st_mode))
            ThrowCannotCreate(shownPath, ENOTDIR);
        target.folderPath = Joined(target.folderPath, name);
        target.folder = std::move(entry);
    }
    ThrowCannotCreate(shownPath, EISDIR);
}

} // namespace kelmora
