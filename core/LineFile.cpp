#include "core/LineFile.h"

#include "core/FileDescriptor.h"
#include "core/KelmoraError.h"
#include "core/SafeFileWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelmora {
namespace {

// The first CR or LF in [p, end), or end; sixteen bytes at a time where the CPU allows.
const char* FindLineBreak(const char* p, const char* end)
{
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; end - p >= 16; p += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int hits = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf)));
        if (hits != 0)
            return p + __builtin_ctz(static_cast<unsigned>(hits));
    }
#endif
    while (p != end && *p != '\r' && *p != '\n')
        ++p;
    return p;
}

} // namespace

TLineList SplitLines(ByteString data)
{
    data.resize(UpToNul(data).size());
    return SplitRawLines(std::move(data));
}

TLineList SplitRawLines(ByteString data)
{
    if (data.size() > TLineList::kMaxBytes)
        ThrowCannotInsertLine();
    std::vector<TLineList::Span> spans;
    spans.reserve(static_cast<std::size_t>(std::count(data.begin(), data.end(), '\n')) + 1);
    const char* const start = data.data();
    const char* p = start;
    const char* const end = p + data.size();
    while (p != end) {
        const char* q = FindLineBreak(p, end);
        spans.push_back({static_cast<std::uint32_t>(p - start), static_cast<std::uint32_t>(q - p)});
        if (q != end && *q == '\r')
            ++q;
        if (q != end && *q == '\n')
            ++q;
        p = q;
    }
    return TLineList(std::move(data), std::move(spans));
}

ByteString JoinLines(const TLineList& entries)
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

namespace {

// Reads `fd` to its end into a buffer sized for `expected` bytes. The one byte beyond lets the
// read that meets the end come back empty without growing the buffer (which would copy it
// all); only input that grows while being read, or of unknown size, needs more room.
ByteString ReadToEnd(int fd, std::size_t expected, const std::string& path)
{
    ByteString data;
    data.resize(expected + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == data.size())
            data.resize(data.size() + std::max<std::size_t>(data.size() / 2, 65536));
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

} // namespace

ByteString ReadWholeFile(const std::string& path)
{
    // O_NONBLOCK so that a fifo without a writer cannot hang the program; only regular
    // files are read, anything else is "cannot be opened".
    const TFileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file.Valid())
        ThrowCannotOpen(path);
    struct stat st {};
    if (::fstat(file.Get(), &st) != 0 || !S_ISREG(st.st_mode))
        ThrowCannotOpen(path);
    return ReadToEnd(file.Get(), static_cast<std::size_t>(st.st_size), path);
}

ByteString ReadWholeStream(int fd, const std::string& name)
{
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    const off_t position = regular ? ::lseek(fd, 0, SEEK_CUR) : -1;
    const std::size_t expected =
        position >= 0 && st.st_size > position ? static_cast<std::size_t>(st.st_size - position) : 65535;
    return ReadToEnd(fd, expected, name);
}

void ReadLineFile(const std::string& path, TLineList& entries)
{
    entries = SplitLines(ReadWholeFile(path));
}

TLineList ReadLineFile(const std::string& path)
{
    return SplitLines(ReadWholeFile(path));
}

void WriteLineFile(const std::string& path, const TLineList& entries)
{
    WriteFileSafely(path, JoinLines(entries));
}

} // namespace kelmora
