#include "core/files/LineFile.h"

#include "core/base/FileDescriptor.h"
#include "core/base/HugePages.h"
#include "core/base/KelmoraError.h"
#include "core/base/SystemReason.h"
#include "core/files/SafeFileWriter.h"

#include <algorithm>
#include <bit>
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

// Splits `data` at its line breaks; with `EndsAtNul` the text ends at its first NUL, found in
// the same pass.
template <bool EndsAtNul>
TLineList Split(TLineList::TBuffer data)
{
    if (data.size() > TLineList::kMaxBytes)
        ThrowCannotInsertLine();
    // Spans are written in place, with room for a block's line breaks made before each block:
    // a first guess of ten bytes a line, grown as needed and cut to size at the end. No pass
    // counts the lines first.
    constexpr std::size_t kBlock = 64;
    TLineList::TSpans spans;
    std::size_t count = 0;
    const auto makeRoom = [&] {
        if (spans.size() - count > kBlock)
            return;
        spans.resize(std::max(count + count / 2, data.size() / 10) + 2 * kBlock);
        AdviseHugePages(spans.data(), spans.size() * sizeof(TLineList::Span));
    };

    // Visits every line break in order; the LF of a CR LF lies before the next entry's start.
    const char* const bytes = data.data();
    std::size_t size = data.size();
    std::size_t entry = 0;
    std::size_t i = 0;
#if defined(__SSE2__)
    // Lines are short: bit masks of the CRs, LFs and NULs in 64 bytes beat a search per line.
    // An LF just after a CR is that CR's line break and no line of its own, so each line costs
    // one step.
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    std::uint64_t crBefore = 0; // the last byte of the previous 64 was a CR
    for (; size - i >= kBlock; i += kBlock) {
        const auto load = [&](std::size_t k) {
            return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i + 16 * k));
        };
        const __m128i chunks[4] = {load(0), load(1), load(2), load(3)};
        const auto bitsEqualTo = [&](__m128i value) {
            const auto bits = [&](std::size_t k) {
                return static_cast<std::uint64_t>(
                           static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunks[k], value))))
                    << (16 * k);
            };
            return bits(0) | bits(1) | bits(2) | bits(3);
        };
        // A NUL is rare, so it is looked for in the least byte of the block and found later.
        const __m128i least = _mm_min_epu8(_mm_min_epu8(chunks[0], chunks[1]), _mm_min_epu8(chunks[2], chunks[3]));
        if (EndsAtNul && _mm_movemask_epi8(_mm_cmpeq_epi8(least, _mm_setzero_si128())) != 0) {
            // The bytes before the NUL go to the byte loop below.
            size = i + std::string_view(bytes + i, kBlock).find('\0');
            break;
        }
        const std::uint64_t crs = bitsEqualTo(cr);
        const std::uint64_t lfs = bitsEqualTo(lf);
        // A CR followed by an LF: the next entry starts after both. The LF of a CR that ended
        // the last block is stepped over here, where it is seen.
        entry += crBefore & lfs;
        const std::uint64_t pairs = crs & lfs >> 1;
        std::uint64_t ends = crs | (lfs & ~(crs << 1 | crBefore));
        crBefore = crs >> 63;
        makeRoom();
        TLineList::Span* const out = spans.data();
        for (; ends != 0; ends &= ends - 1) {
            const int bit = std::countr_zero(ends);
            const std::size_t at = i + static_cast<std::size_t>(bit);
            out[count++] = {static_cast<std::uint32_t>(entry), static_cast<std::uint32_t>(at - entry)};
            entry = at + 1 + ((pairs >> bit) & 1);
        }
    }
    if (crBefore != 0 && i < size && bytes[i] == '\n')
        entry = i + 1;
#endif
    const auto add = [&](std::size_t end) {
        makeRoom();
        spans[count++] = {static_cast<std::uint32_t>(entry), static_cast<std::uint32_t>(end - entry)};
    };
    for (; i < size; ++i) {
        const char c = bytes[i];
        if (EndsAtNul && c == '\0') {
            size = i;
            break;
        }
        if ((c == '\r' || c == '\n') && i >= entry) {
            add(i);
            entry = c == '\r' && i + 1 < size && bytes[i + 1] == '\n' ? i + 2 : i + 1;
        }
    }
    if (entry < size)
        add(size);
    spans.resize(count);
    spans.shrink_to_fit();
    if (EndsAtNul && size < data.size()) {
        data.resize(size);
        // A large buffer that held a short text gives its memory back.
        if (data.capacity() - data.size() > std::max<std::size_t>(data.size() / 8, 65536))
            data.shrink_to_fit();
    }
    return TLineList(std::move(data), std::move(spans));
}

TLineList::TBuffer BufferOf(std::string_view data)
{
    TLineList::TBuffer buffer;
    buffer.append(data.data(), data.size());
    return buffer;
}

} // namespace

TLineList SplitLines(std::string_view data)
{
    // Only the text before a NUL is kept.
    return Split<true>(BufferOf(UpToNul(data)));
}

TLineList SplitLines(TLineList::TBuffer data)
{
    // Only the text before a NUL must fit in a list.
    if (data.size() > TLineList::kMaxBytes)
        data.resize(UpToNul({data.data(), data.size()}).size());
    return Split<true>(std::move(data));
}

TLineList SplitRawLines(std::string_view data)
{
    return Split<false>(BufferOf(data));
}

TByteString JoinLines(const TLineList& entries)
{
    std::size_t size = 0;
    for (const auto& entry : entries)
        size += entry.size() + kCrLf.size();
    TByteString text;
    text.reserve(size);
    for (const auto& entry : entries) {
        text += entry;
        text += kCrLf;
    }
    return text;
}

namespace {

[[noreturn]] void ThrowCannotRead(const std::string& name, std::string_view reason)
{
    if (!name.empty())
        ThrowCannotOpen(name, reason);
    ThrowCannotReadStandardInput(reason);
}

// One read, retried when interrupted; 0 at the end. Throws the read error.
std::size_t ReadSome(int fd, char* buffer, std::size_t size, const std::string& name)
{
    for (;;) {
        const ssize_t got = ::read(fd, buffer, size);
        if (got >= 0)
            return static_cast<std::size_t>(got);
        if (errno != EINTR)
            ThrowCannotRead(name, SystemReason(errno));
    }
}

// Reads `fd` to its end; one that claims more than `claimed` bytes is refused at once. `expected`
// only reserves room, which touches no memory; the buffer's
// bytes come into use a piece at a time as they are read, so memory grows with what is read,
// never with what a file claims (a sparse file, a device). The one byte beyond lets the read
// that meets the end come back empty without growing the buffer (which would copy it all).
// Pieces are small enough that a NUL, or the limit, is seen before much more is read, and that
// each is still in the cache when it is read into.
// `Bytes` is TByteString or TLineList::TBuffer, whose resize leaves the room for a read unwritten.
template <class Bytes>
Bytes ReadToEnd(int fd, std::size_t claimed, std::size_t expected, const std::string& name, bool endsAtNul, bool stream)
{
    constexpr std::size_t kLimit = TLineList::kMaxBytes;
    constexpr std::size_t kPiece = std::size_t{256} << 10;
    const auto tooLarge = [&] { ThrowCannotRead(name, messages::kTooLargeToRead); };
    if (claimed > kLimit && !endsAtNul)
        tooLarge();
    Bytes data;
    data.reserve(std::min(expected, kLimit) + 1);
    AdviseHugePages(data.data(), data.capacity());
    std::size_t filled = 0;
    std::size_t nul = std::string::npos;
    for (;;) {
        if (filled == data.capacity()) {
            if (filled > kLimit)
                tooLarge();
            data.reserve(std::min(filled + std::max<std::size_t>(filled / 2, 65536), kLimit + 1));
        }
        const std::size_t room = std::min(data.capacity() - filled, kPiece);
        data.resize(filled + room);
        const std::size_t got = ReadSome(fd, data.data() + filled, room, name);
        data.resize(filled + got);
        if (got == 0)
            break;
        if (endsAtNul) {
            const char* piece = data.data() + filled;
            if (const void* at = std::memchr(piece, '\0', got); at != nullptr) {
                nul = static_cast<std::size_t>(static_cast<const char*>(at) - data.data());
                break;
            }
        }
        filled += got;
    }
    if (nul != std::string::npos) {
        // What follows the NUL is not kept; a stream is still read to its end (its writer
        // should not die of a closed pipe), but only up to the limit.
        if (stream) {
            std::size_t total = nul;
            std::string sink(kPiece, '\0');
            for (std::size_t got; (got = ReadSome(fd, sink.data(), sink.size(), name)) > 0;) {
                total += got;
                if (total > kLimit)
                    tooLarge();
            }
        }
        filled = nul;
    }
    data.resize(filled);
    // A buffer sized for a large file that held a short text gives its memory back.
    if (data.capacity() - data.size() > std::max<std::size_t>(data.size() / 8, 65536))
        data.shrink_to_fit();
    return data;
}

// What is left of a regular file from `position`, as far as its blocks back its size: a sparse
// file's holes are no reason to reserve room.
std::size_t ExpectedSize(const struct stat& st, off_t position)
{
    if (st.st_size <= position)
        return 65535;
    const auto size = static_cast<std::size_t>(st.st_size - position);
    const auto held = static_cast<std::size_t>(st.st_blocks) * 512;
    return std::min(size, std::max<std::size_t>(held, 65535));
}

} // namespace

TFileDescriptor OpenForReading(const std::string& path)
{
    // O_NONBLOCK so that a fifo without a writer cannot hang the program.
    TFileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file.Valid())
        ThrowCannotOpen(path);
    return file;
}

TByteString ReadWholeFile(const std::string& path, bool endsAtNul)
{
    const TFileDescriptor file = OpenForReading(path);
    return ReadOpenFile(file.Get(), path, endsAtNul);
}

namespace {

template <class Bytes>
Bytes ReadOpenFileAs(int fd, const std::string& name, bool endsAtNul)
{
    // Only regular files are read, anything else is "cannot be opened".
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        ThrowCannotOpen(name);
    return ReadToEnd<Bytes>(fd, static_cast<std::size_t>(st.st_size), ExpectedSize(st, 0), name, endsAtNul, false);
}

template <class Bytes>
Bytes ReadWholeStreamAs(int fd, const std::string& name, bool endsAtNul)
{
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    const off_t position = regular ? ::lseek(fd, 0, SEEK_CUR) : -1;
    const bool known = regular && position >= 0;
    const std::size_t claimed = known && st.st_size > position ? static_cast<std::size_t>(st.st_size - position) : 0;
    return ReadToEnd<Bytes>(fd, claimed, known ? ExpectedSize(st, position) : 65535, name, endsAtNul, !regular);
}

} // namespace

TByteString ReadOpenFile(int fd, const std::string& name, bool endsAtNul)
{
    return ReadOpenFileAs<TByteString>(fd, name, endsAtNul);
}

TByteString ReadWholeStream(int fd, const std::string& name, bool endsAtNul)
{
    return ReadWholeStreamAs<TByteString>(fd, name, endsAtNul);
}

TLineList::TBuffer ReadOpenFileForLines(int fd, const std::string& name)
{
    return ReadOpenFileAs<TLineList::TBuffer>(fd, name, true);
}

TLineList::TBuffer ReadWholeStreamForLines(int fd, const std::string& name)
{
    return ReadWholeStreamAs<TLineList::TBuffer>(fd, name, true);
}

void ReadLineFile(const std::string& path, TLineList& entries)
{
    entries = ReadLineFile(path);
}

TLineList ReadLineFile(const std::string& path)
{
    const TFileDescriptor file = OpenForReading(path);
    return SplitLines(ReadOpenFileForLines(file.Get(), path));
}

void WriteLineFile(const std::string& path, const TLineList& entries)
{
    WriteFileSafely(path, JoinLines(entries));
}

} // namespace kelmora
