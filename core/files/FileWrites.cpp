#include "core/files/FileWrites.h"

#include <algorithm>
#include <cerrno>
#include <random>

#include <sys/resource.h>
#include <unistd.h>

namespace kelmora {

bool WriteAll(int fd, std::string_view bytes, off_t at)
{
    constexpr std::size_t kPiece = 1 << 20;
    while (!bytes.empty()) {
        const std::size_t size = std::min(bytes.size(), kPiece);
        const ssize_t wrote = at < 0 ? ::write(fd, bytes.data(), size) : ::pwrite(fd, bytes.data(), size, at);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            if (wrote == 0)
                errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(wrote));
        if (at >= 0)
            at += wrote;
    }
    return true;
}

bool WithinFileSizeLimit(std::size_t size)
{
    rlimit limit{};
    return ::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY || size <= limit.rlim_cur;
}

std::string RandomSuffix()
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string suffix(6, '\0');
    for (char& c : suffix)
        c = kLetters[pick(random)];
    return suffix;
}

} // namespace kelmora
