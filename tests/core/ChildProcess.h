#pragma once
// Runs a piece of a test in a forked child, for limits and identities the test process must
// not take on itself (a file size limit, an unprivileged user).

#include <functional>
#include <string>

#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kelmora::test {

struct ChildOptions {
    long fileSizeLimit = -1;   // bytes; writes past it fail with EFBIG
    bool unprivileged = false; // run as nobody, so that permissions hold even for root
};

// Returns what `body` returned in the child (at most 4095 bytes), or "<child failed>".
inline std::string RunInChild(const ChildOptions& options, const std::function<std::string()>& body)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return "<child failed>";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        if (options.fileSizeLimit >= 0) {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{static_cast<rlim_t>(options.fileSizeLimit), static_cast<rlim_t>(options.fileSizeLimit)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (options.unprivileged && ::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        std::string result = body();
        (void)!::write(fds[1], result.data(), result.size());
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string result(4096, '\0');
    std::size_t got = 0;
    for (ssize_t n; (n = ::read(fds[0], result.data() + got, result.size() - got)) > 0;)
        got += static_cast<std::size_t>(n);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "<child failed>";
    result.resize(got);
    return result;
}

} // namespace kelmora::test
