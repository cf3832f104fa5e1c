#include "ui/platform/AvailableMemory.h"

#include <gtest/gtest.h>

#include <fstream>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kelmora::ui::platform {
namespace {

TEST(AvailableMemoryTest, ReadsTheKernelsFigures)
{
    EXPECT_EQ(ParseMemAvailable("MemTotal:       24000000 kB\nMemFree:  100 kB\nMemAvailable:   2048 kB\n"),
              std::size_t{2048} * 1024);
    EXPECT_EQ(ParseMemAvailable("MemTotal: 1 kB\n"), std::nullopt);
    EXPECT_EQ(ParseMemAvailable("MemAvailable: kB\n"), std::nullopt);

    EXPECT_EQ(ParseUnifiedCgroup("0::/user.slice/session-1.scope\n"), "/user.slice/session-1.scope");
    EXPECT_EQ(ParseUnifiedCgroup("12:memory:/old\n0::/\n"), "/");
    EXPECT_EQ(ParseUnifiedCgroup("12:memory:/only-the-old-hierarchy\n"), std::nullopt);

    EXPECT_EQ(ParseCgroupBytes("max\n"), std::nullopt);
    EXPECT_EQ(ParseCgroupBytes("536870912\n"), std::size_t{536870912});
    EXPECT_EQ(ParseCgroupBytes(""), std::nullopt);
}

TEST(AvailableMemoryTest, AnAddressSpaceLimitCountsWhatIsAlreadyUsed)
{
    const std::size_t unlimited = AvailableMemory();
    EXPECT_GT(unlimited, std::size_t{0});
    // In a child, which alone takes the limit.
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::ifstream statm("/proc/self/statm");
        std::size_t pages = 0;
        statm >> pages;
        const std::size_t used = pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
        const std::size_t room = std::size_t{64} << 20;
        const rlimit limit{used + room, used + room};
        if (::setrlimit(RLIMIT_AS, &limit) != 0)
            ::_exit(2);
        const std::size_t left = AvailableMemory();
        ::_exit(left <= room && left > room / 2 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
} // namespace kelmora::ui::platform
