#include "ui/platform/VolumeProbe.h"

#include "ui/platform/FileNames.h"

#include <climits>
#include <cstdlib>
#include <fstream>
#include <vector>

#include <dirent.h>

namespace kelmora::ui::platform {

namespace {

std::string RealPath(const std::string& path)
{
    char buffer[PATH_MAX];
    return realpath(path.c_str(), buffer) ? std::string(buffer) : std::string();
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// udev writes unsafe bytes of a label as \xNN in the link's name.
std::string UnescapeUdev(const std::string& name)
{
    std::string text;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' && HexDigit(name[i + 2]) >= 0 &&
            HexDigit(name[i + 3]) >= 0) {
            text += static_cast<char>(HexDigit(name[i + 2]) * 16 + HexDigit(name[i + 3]));
            i += 3;
        } else {
            text += name[i];
        }
    }
    return text;
}

std::vector<std::string> LinkNames(const std::string& dir)
{
    // The links point at block devices, so every entry is wanted, whatever its type.
    std::vector<std::string> names;
    if (DIR* handle = opendir(dir.c_str())) {
        while (const dirent* entry = readdir(handle))
            if (!IsHiddenName(entry->d_name))
                names.emplace_back(entry->d_name);
        closedir(handle);
    }
    return names;
}

std::string ReadLabel(const std::string& root, const std::string& source)
{
    if (source.rfind("/dev/", 0) != 0)
        return {};
    const std::string device = RealPath(JoinPath(root, source.substr(1)));
    if (device.empty())
        return {};
    const std::string labels = JoinPath(root, "dev/disk/by-label");
    for (const std::string& link : LinkNames(labels))
        if (RealPath(JoinPath(labels, link)) == device)
            return UnescapeUdev(link);
    return {};
}

bool ReadRemovable(const std::string& root, const std::string& source)
{
    if (source.rfind("/dev/", 0) != 0)
        return false;
    const std::string device = RealPath(JoinPath(root, source.substr(1)));
    const auto slash = device.rfind('/');
    if (device.empty() || slash == std::string::npos)
        return false;
    std::string block = RealPath(JoinPath(JoinPath(root, "sys/class/block"), device.substr(slash + 1)));
    if (block.empty())
        return false;
    // A partition's directory sits inside its disk's, and only the disk says "removable".
    if (std::ifstream(JoinPath(block, "partition")).good())
        block = block.substr(0, block.rfind('/'));
    std::ifstream flag(JoinPath(block, "removable"));
    char value = '0';
    flag >> value;
    return value == '1';
}

} // namespace

TVolumeProbe TVolumeProbe::System(const std::string& root)
{
    TVolumeProbe probe;
    probe.label = [root](const std::string& source) { return ReadLabel(root, source); };
    probe.removable = [root](const std::string& source) { return ReadRemovable(root, source); };
    return probe;
}

} // namespace kelmora::ui::platform
