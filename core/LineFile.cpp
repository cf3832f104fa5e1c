#include "LineFile.h"

#include "KelmoraError.h"
#include "SafeFileWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelmora {

LineList SplitLines(std::string_view data)
{
    return SplitRawLines(UpToNul(data));
}

LineList SplitRawLines(std::string_view data)
{
    LineList entries;
    // Reserving for the LF count keeps a million-line read to one allocation of the vector.
    entries.reserve(static_cast<std::size_t>(std::count(data.begin(), data.end(), '\n')) + 1);
    const char* p = data.data();
    const char* const end = p + data.size();
    while (p != end) {
        const char* q = p;
        while (q != end && *q != '\r' && *q != '\n')
            ++q;
        entries.emplace_back(p, q);
        if (q != end && *q == '\r')
            ++q;
        if (q != end && *q == '\n')
            ++q;
        p = q;
    }
    entries.shrink_to_fit();
    return entries;
}

ByteString JoinLines(const LineList& entries)
{
    std::size_t size = 0;
    for (const auto& entry : entries)
        size += entry.size() + kCrLf.size();
    ByteString text;
    text.reserve(size);
    for (const auto& entry : entries) {
        text += entry;
        text += kCrLf;
    }
    return text;
}

ByteString ReadWholeFile(const std::string& path)
{
    // O_NONBLOCK so that a fifo without a writer cannot hang the program; only regular
    // files are read, anything else is "cannot be opened".
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        ThrowCannotOpen(path);
    struct FdCloser {
        int fd;
        ~FdCloser() { ::close(fd); }
    } closer{fd};

    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        ThrowCannotOpen(path);

    ByteString data;
    data.resize(static_cast<std::size_t>(st.st_size));
    std::size_t filled = 0;
    for (;;) {
        if (filled == data.size())
            data.resize(data.size() + 65536); // the file grew while being read
        const ssize_t got = ::read(fd, data.data() + filled, data.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            ThrowCannotOpen(path);
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    data.resize(filled);
    return data;
}

void ReadLineFile(const std::string& path, LineList& entries)
{
    entries = SplitLines(ReadWholeFile(path));
}

LineList ReadLineFile(const std::string& path)
{
    return SplitLines(ReadWholeFile(path));
}

void WriteLineFile(const std::string& path, const LineList& entries)
{
    WriteFileSafely(path, JoinLines(entries));
}

} // namespace kelmora
