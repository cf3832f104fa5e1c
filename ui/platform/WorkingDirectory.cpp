#include "ui/platform/WorkingDirectory.h"

#include "core/base/KelmoraError.h"
#include "ui/platform/IoError.h"
#include "ui/platform/MountTable.h"

#include <cerrno>
#include <climits>
#include <map>

#include <sys/stat.h>
#include <unistd.h>

namespace kelmora::ui::platform {

namespace {

std::map<std::string, std::string>& LastDirectories()
{
    static std::map<std::string, std::string> directories;
    return directories;
}

void Remember(const std::string& directory)
{
    if (const auto volume = TMountTable::FindVolume(directory))
        LastDirectories()[volume->mountPoint] = directory;
}

void ChangeTo(const std::string& path)
{
    // Windows-like paths never reach here; an empty one is no directory at all.
    if (path.empty())
        ThrowIoError(ENOENT);
    if (chdir(path.c_str()) != 0)
        ThrowIoError(errno);
}

} // namespace

void TWorkingDirectory::Set(const std::string& path)
{
    ChangeTo(path);
    Remember(Get());
}

std::string TWorkingDirectory::Get()
{
    char buffer[PATH_MAX];
    if (!getcwd(buffer, sizeof buffer))
        ThrowIoError(errno);
    return buffer;
}

std::string TWorkingDirectory::StartingDirectory()
{
    try {
        return Get();
    } catch (const TKelmoraError&) {
        // Started in a directory that has since gone: browse from the root.
        return "/";
    }
}

void TWorkingDirectory::SetVolume(const std::string& mountPoint)
{
    const auto last = LastDirectories().find(mountPoint);
    if (last != LastDirectories().end() && last->second != mountPoint && Exists(last->second)) {
        try {
            Set(last->second);
            return;
        } catch (const TKelmoraError&) {
            // A remembered directory that can no longer be entered gives way to the mount point.
        }
    }
    Set(mountPoint);
}

bool TWorkingDirectory::Exists(const std::string& path)
{
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void TWorkingDirectory::ForgetVolumes()
{
    LastDirectories().clear();
}

} // namespace kelmora::ui::platform
