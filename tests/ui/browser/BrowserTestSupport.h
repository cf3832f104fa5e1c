#pragma once
// Directory trees, a made-up mount table and the process state the browser tests need.

#include "ui/platform/MountTable.h"
#include "ui/platform/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace kelmora::test {

// A directory tree of the test's own, by its real path (the browser reads paths back from the
// system, links resolved). Made current on entry; the old current directory comes back after.
class BrowserTree {
public:
    BrowserTree()
    {
        char previous[PATH_MAX];
        previous_ = getcwd(previous, sizeof previous) ? previous : "/";
        std::string pattern = (std::filesystem::temp_directory_path() / "kelmora-browser-XXXXXX").string();
        char real[PATH_MAX];
        root_ = realpath(::mkdtemp(pattern.data()), real);
        EXPECT_EQ(chdir(root_.c_str()), 0);
    }
    ~BrowserTree()
    {
        [[maybe_unused]] const int ignored = chdir(previous_.c_str());
        std::error_code ec;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(
                 root_, std::filesystem::directory_options::skip_permission_denied, ec))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(root_, ec);
        ui::platform::TMountTable::SetSource({});
        ui::platform::TWorkingDirectory::ForgetVolumes();
    }

    const std::string& Root() const { return root_; }
    std::string Path(const std::string& relative) const { return relative.empty() ? root_ : root_ + "/" + relative; }

    std::string Dir(const std::string& relative) const
    {
        std::filesystem::create_directories(Path(relative));
        return Path(relative);
    }
    std::string File(const std::string& relative, const std::string& bytes = "") const
    {
        std::filesystem::create_directories(std::filesystem::path(Path(relative)).parent_path());
        std::ofstream(Path(relative), std::ios::binary) << bytes;
        return Path(relative);
    }
    void Enter(const std::string& relative) const { ASSERT_EQ(chdir(Path(relative).c_str()), 0); }

    // The mount table the browser sees: "/" as ext4, then the given mountinfo lines, in which
    // "@" stands for the tree's root.
    void Mounts(const std::string& lines = "") const
    {
        std::string text = "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n";
        for (char c : lines) {
            if (c == '@')
                text += root_;
            else
                text += c;
        }
        ui::platform::TMountTable::SetSource([text] { return text; });
    }

private:
    std::string previous_;
    std::string root_;
};

// Permission bits bind root only when it gives up the capabilities that override them; the
// effective set can be lowered and raised again by the thread itself.
class WithoutPermissionOverride {
public:
    WithoutPermissionOverride()
    {
        if (geteuid() != 0)
            return;
        header_.version = _LINUX_CAPABILITY_VERSION_3;
        header_.pid = 0;
        if (syscall(SYS_capget, &header_, saved_) != 0)
            return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        lowered_ = syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~WithoutPermissionOverride()
    {
        if (lowered_)
            syscall(SYS_capset, &header_, saved_);
    }

private:
    __user_cap_header_struct header_{};
    __user_cap_data_struct saved_[2]{};
    bool lowered_ = false;
};

inline std::string CurrentDirectory()
{
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) ? buffer : "";
}

// Runs f and gives the text of the error it throws ("" if none).
inline std::string ErrorText(const std::function<void()>& f)
{
    try {
        f();
    } catch (const std::exception& error) {
        return error.what();
    }
    return {};
}

} // namespace kelmora::test
