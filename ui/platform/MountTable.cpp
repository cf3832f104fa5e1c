#include "ui/platform/MountTable.h"

#include "ui/platform/VolumeProbe.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace kelmora::ui::platform {

namespace {

// The table's text, read again only when it may have changed: the kernel marks the mount
// table readable with POLLPRI after every mount and unmount, so one open descriptor tells when
// the text kept is stale. Without it (no /proc), every read goes to the file.
class TMountTableText {
public:
    TMountTableText(const TMountTableText&) = delete;
    TMountTableText& operator=(const TMountTableText&) = delete;

    static TMountTableText& Instance()
    {
        static TMountTableText text;
        return text;
    }

    void SetSource(std::function<std::string()> source)
    {
        source_ = std::move(source);
        valid_ = false;
        CloseWatch();
    }

    const std::string& Current()
    {
        if (source_) {
            if (!valid_)
                text_ = source_();
            valid_ = true;
            return text_;
        }
        // Watching starts before the reading, so that no change slips in between.
        if (watch_ < 0) {
            watch_ = open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
            valid_ = false;
        }
        if (!valid_ || Changed()) {
            text_ = SystemText();
            valid_ = watch_ >= 0;
        }
        return text_;
    }

private:
    TMountTableText() = default;
    ~TMountTableText() { CloseWatch(); }

    void CloseWatch()
    {
        if (watch_ >= 0)
            close(watch_);
        watch_ = -1;
    }

    bool Changed() const
    {
        pollfd watch{watch_, POLLPRI, 0};
        return poll(&watch, 1, 0) > 0 && (watch.revents & (POLLPRI | POLLERR)) != 0;
    }

    static std::string SystemText();

    std::function<std::string()> source_;
    std::string text_;
    bool valid_ = false;
    int watch_ = -1;
};

std::string ReadFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : std::string();
}

std::string TMountTableText::SystemText()
{
    std::string text = ReadFile("/proc/self/mountinfo");
    return text.empty() ? ReadFile("/proc/mounts") : text;
}

// The kernel writes space, tab, newline and backslash in paths as \ooo.
std::string Unescape(std::string_view field)
{
    std::string text;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' && field[i + 1] <= '3' &&
            field[i + 2] >= '0' && field[i + 2] <= '7' && field[i + 3] >= '0' && field[i + 3] <= '7') {
            text += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

std::vector<std::string_view> Fields(std::string_view line)
{
    std::vector<std::string_view> fields;
    size_t at = 0;
    while (at < line.size()) {
        const size_t start = line.find_first_not_of(' ', at);
        if (start == std::string_view::npos)
            break;
        const size_t end = std::min(line.find(' ', start), line.size());
        fields.push_back(line.substr(start, end - start));
        at = end;
    }
    return fields;
}

bool IsOneOf(std::string_view value, std::initializer_list<std::string_view> values)
{
    return std::find(values.begin(), values.end(), value) != values.end();
}

bool IsPseudoFileSystem(std::string_view type)
{
    return IsOneOf(type, {"proc",       "sysfs",    "cgroup",    "cgroup2",     "devpts", "devtmpfs",
                          "securityfs", "debugfs",  "tracefs",   "pstore",      "bpf",    "mqueue",
                          "hugetlbfs",  "configfs", "fusectl",   "binfmt_misc", "autofs", "efivarfs",
                          "rpc_pipefs", "nsfs",     "selinuxfs", "nfsd"});
}

bool IsUnder(std::string_view path, std::string_view dir)
{
    return path == dir || (path.size() > dir.size() && path.substr(0, dir.size()) == dir && path[dir.size()] == '/');
}

bool IsSystemMountPoint(std::string_view mountPoint)
{
    // Snap packages are squashfs images mounted one per revision, under /snap or, where /snap
    // is a link, under /var/lib/snapd/snap: software, not volumes.
    return IsUnder(mountPoint, "/proc") || IsUnder(mountPoint, "/sys") || IsUnder(mountPoint, "/dev") ||
        IsUnder(mountPoint, "/run") || IsUnder(mountPoint, "/snap") || IsUnder(mountPoint, "/var/lib/snapd");
}

bool LooksRemote(std::string_view source)
{
    return source.rfind("//", 0) == 0 || source.find(':') != std::string_view::npos;
}

TVolumeKind KindOf(const std::string& type, const std::string& source, const TVolumeProbe* probe)
{
    if (IsOneOf(type,
                {"nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "9p", "afs", "ceph", "glusterfs", "coda", "davfs",
                 "ocfs2", "lustre"}))
        return TVolumeKind::Network;
    // FUSE mounts of sshfs, rclone and the like name a remote "host:path" or "//host/share".
    if (type.rfind("fuse.", 0) == 0 && LooksRemote(source))
        return TVolumeKind::Network;
    if (IsOneOf(type, {"iso9660", "udf"}))
        return TVolumeKind::CdRom;
    if (IsOneOf(type, {"tmpfs", "ramfs"}))
        return TVolumeKind::RamDisk;
    if (probe && probe->removable && probe->removable(source))
        return TVolumeKind::Removable;
    return TVolumeKind::Fixed;
}

bool IgnoresCase(std::string_view type)
{
    // fuseblk is how ntfs-3g and exfat-fuse mounts show.
    return IsOneOf(type, {"vfat", "msdos", "exfat", "ntfs", "ntfs3", "fuseblk", "hfs", "hfsplus"});
}

// mountinfo: id parent major:minor root mountpoint options [optional...] - type source super-options
// mounts:    source mountpoint type options dump pass
bool ParseLine(std::string_view line, std::string& mountPoint, std::string& type, std::string& source)
{
    const std::vector<std::string_view> fields = Fields(line);
    const auto separator = std::find(fields.begin(), fields.end(), std::string_view("-"));
    if (separator != fields.end() && separator - fields.begin() >= 6 && fields.end() - separator >= 3) {
        mountPoint = Unescape(fields[4]);
        type = Unescape(*(separator + 1));
        source = Unescape(*(separator + 2));
        return true;
    }
    if (fields.size() >= 3 && separator == fields.end()) {
        source = Unescape(fields[0]);
        mountPoint = Unescape(fields[1]);
        type = Unescape(fields[2]);
        return true;
    }
    return false;
}

} // namespace

TMountTable TMountTable::Parse(std::string_view text, const TVolumeProbe* probe)
{
    std::map<std::string, TVolume> byMountPoint;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = text.substr(at, end - at);
        at = end + 1;
        TVolume volume;
        if (!ParseLine(line, volume.mountPoint, volume.fileSystem, volume.source))
            continue;
        if (volume.mountPoint.empty() || volume.mountPoint.front() != '/')
            continue;
        if (volume.mountPoint.size() > 1 && volume.mountPoint.back() == '/')
            volume.mountPoint.pop_back();
        if (IsPseudoFileSystem(volume.fileSystem) || IsSystemMountPoint(volume.mountPoint)) {
            // A pseudo file system mounted over a volume hides it.
            byMountPoint.erase(volume.mountPoint);
            continue;
        }
        volume.kind = KindOf(volume.fileSystem, volume.source, probe);
        volume.caseSensitive = !IgnoresCase(volume.fileSystem);
        volume.preservesCase = true;
        byMountPoint[volume.mountPoint] = std::move(volume);
    }
    TMountTable table;
    for (auto& entry : byMountPoint)
        table.volumes_.push_back(std::move(entry.second));
    return table;
}

TMountTable TMountTable::Read(const TVolumeProbe* probe)
{
    return Parse(TMountTableText::Instance().Current(), probe);
}

std::optional<TVolume> TMountTable::FindVolume(std::string_view path)
{
    const TMountTable table = Read();
    if (const TVolume* volume = table.VolumeOf(path))
        return *volume;
    return std::nullopt;
}

void TMountTable::SetSource(std::function<std::string()> source)
{
    TMountTableText::Instance().SetSource(std::move(source));
}

const TVolume* TMountTable::VolumeOf(std::string_view path) const&
{
    const TVolume* best = nullptr;
    for (const TVolume& volume : volumes_) {
        const bool holds =
            volume.mountPoint == "/" ? !path.empty() && path.front() == '/' : IsUnder(path, volume.mountPoint);
        if (holds && (!best || volume.mountPoint.size() > best->mountPoint.size()))
            best = &volume;
    }
    return best;
}

} // namespace kelmora::ui::platform
