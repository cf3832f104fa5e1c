#pragma once
// Runs a piece of a test in a forked child, for limits and identities the test process must
// not take on itself (a file size limit, an unprivileged user, a system call that fails).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <grp.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kelmora::test {

// A system call (SYS_...) that fails with `error`; with an argument (0 to 5), only where that
// argument is `value`.
struct FailingCall {
    long number = -1;
    int argument = -1;
    std::uint64_t value = 0;
    int error = 0;
};

struct ChildOptions {
    long fileSizeLimit = -1;   // bytes; writes past it fail with EFBIG
    bool unprivileged = false; // run as nobody, so that permissions hold even for root
    FailingCall failing{};     // none unless named
};

// Makes `call` fail from now on in this process, by a seccomp filter: every test that does not
// hold jumps to the last instruction, which allows the call.
inline bool MakeCallFail(const FailingCall& call)
{
    const auto load = [](std::size_t at) { return sock_filter{BPF_LD | BPF_W | BPF_ABS, 0, 0, std::uint32_t(at)}; };
    const auto unless = [](std::uint64_t v) { return sock_filter{BPF_JMP | BPF_JEQ | BPF_K, 0, 0, std::uint32_t(v)}; };
    const std::size_t arg = offsetof(seccomp_data, args) + 8 * static_cast<std::size_t>(call.argument);
    std::vector<sock_filter> code{load(offsetof(seccomp_data, nr)), unless(static_cast<std::uint64_t>(call.number))};
    if (call.argument >= 0)
        code.insert(code.end(), {load(arg), unless(call.value), load(arg + 4), unless(call.value >> 32)});
    code.push_back({BPF_RET | BPF_K, 0, 0, SECCOMP_RET_ERRNO | static_cast<std::uint32_t>(call.error)});
    code.push_back({BPF_RET | BPF_K, 0, 0, SECCOMP_RET_ALLOW});
    for (std::size_t k = 0; k < code.size(); ++k)
        code[k].jf = BPF_CLASS(code[k].code) == BPF_JMP ? static_cast<std::uint8_t>(code.size() - 2 - k) : 0;
    const sock_fprog program{static_cast<unsigned short>(code.size()), code.data()};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

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
        if (options.failing.number >= 0 && !MakeCallFail(options.failing))
            ::_exit(4);
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
