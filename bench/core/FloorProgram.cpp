// The least a batch check must do, as a whole process, for the side-by-side benchmark
// (bench/whole_process.py): read the ticket file with read(), count its lines, and write a
// report of a given size to a temporary file that is synced and renamed over the output.
// It uses nothing of Kelmora, so that the comparison cannot flatter the code it measures.
//   kelmora_floor TICKETS.wkn REPORT_BYTES OUTPUT

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void Fail(const char* what)
{
    std::perror(what);
    std::exit(1);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: kelmora_floor TICKETS.wkn REPORT_BYTES OUTPUT\n");
        return 2;
    }
    const int in = ::open(argv[1], O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (in < 0 || ::fstat(in, &st) != 0)
        Fail(argv[1]);
    std::vector<char> data(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t filled = 0;
    for (ssize_t got; (got = ::read(in, data.data() + filled, data.size() - filled)) > 0;)
        filled += static_cast<std::size_t>(got);
    ::close(in);
    const auto lines = std::count(data.begin(), data.begin() + static_cast<long>(filled), '\n');

    const std::size_t reportBytes = std::strtoull(argv[2], nullptr, 10);
    const std::string output = argv[3];
    const std::string temporary = output + ".floor-tmp";
    const int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out < 0)
        Fail(temporary.c_str());
    std::vector<char> piece(1 << 18, static_cast<char>('0' + lines % 10));
    for (std::size_t written = 0; written < reportBytes;) {
        const std::size_t size = std::min(piece.size(), reportBytes - written);
        const ssize_t wrote = ::write(out, piece.data(), size);
        if (wrote <= 0)
            Fail("write");
        written += static_cast<std::size_t>(wrote);
    }
    if (::fsync(out) != 0 || ::close(out) != 0 || ::rename(temporary.c_str(), output.c_str()) != 0)
        Fail(output.c_str());
    return 0;
}
