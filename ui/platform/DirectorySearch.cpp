#include "ui/platform/DirectorySearch.h"

#include "ui/platform/FileNames.h"

#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace kelmora::ui::platform {

namespace {

enum class TEntryType { File, Directory, Other };

struct TDirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};
using TDirHandle = std::unique_ptr<DIR, TDirCloser>;

// d_type answers without a system call for most entries; links and file systems that do
// not fill it in need a stat of the target.
TEntryType TypeOf(DIR* dir, const dirent* entry)
{
    switch (entry->d_type) {
    case DT_REG:
        return TEntryType::File;
    case DT_DIR:
        return TEntryType::Directory;
    case DT_LNK:
    case DT_UNKNOWN:
        break;
    default:
        return TEntryType::Other;
    }
    struct stat info {};
    if (fstatat(dirfd(dir), entry->d_name, &info, 0) != 0)
        return TEntryType::Other;
    if (S_ISREG(info.st_mode))
        return TEntryType::File;
    if (S_ISDIR(info.st_mode))
        return TEntryType::Directory;
    return TEntryType::Other;
}

template <typename Visit>
void ForEachVisibleEntry(const std::string& dir, Visit visit)
{
    const TDirHandle handle(opendir(dir.c_str()));
    if (!handle)
        return;
    while (const dirent* entry = readdir(handle.get())) {
        const std::string_view name(entry->d_name);
        if (IsHiddenName(name)) // also "." and ".."
            continue;
        visit(handle.get(), entry, name);
    }
}

} // namespace

std::vector<std::string> FindSubdirectories(const std::string& dir)
{
    std::vector<std::string> names;
    ForEachVisibleEntry(dir, [&](DIR* handle, const dirent* entry, std::string_view name) {
        if (TypeOf(handle, entry) == TEntryType::Directory)
            names.emplace_back(name);
    });
    return names;
}

void FindFiles(const std::string& dir, std::string_view pattern, const std::function<void(std::string_view name)>& add)
{
    ForEachVisibleEntry(dir, [&](DIR* handle, const dirent* entry, std::string_view name) {
        if (MatchesPattern(name, pattern) && TypeOf(handle, entry) == TEntryType::File)
            add(name);
    });
}

} // namespace kelmora::ui::platform
