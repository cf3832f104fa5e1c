// The fast check against the plain comparison of every pair: the same log, byte for byte.
//
// Input: winning lines, NUL, ticket lines, NUL, the log's text before the check. Lines are
// separated by LF; a winning line is the number, then a tab and the label.

#include "core/check/ResultLog.h"
#include "core/draw/TicketList.h"
#include "core/check/WinningCheck.h"
#include "core/check/WinningTable.h"
#include "fuzz/FuzzCheck.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

using namespace kelmora;

namespace {

// Enough for every shape of table and list, few enough that the plain check's W x T
// comparisons (and as many wins) stay quick.
constexpr std::size_t kMaxLines = 512;
constexpr std::size_t kMaxPairs = 4096;

std::string_view TakeSection(std::string_view& input)
{
    const auto nul = input.find('\0');
    const std::string_view section = input.substr(0, nul);
    input.remove_prefix(nul == std::string_view::npos ? input.size() : nul + 1);
    return section;
}

std::vector<std::string_view> Lines(std::string_view section)
{
    std::vector<std::string_view> lines;
    if (section.empty())
        return lines;
    for (;;) {
        const auto lf = section.find('\n');
        lines.push_back(section.substr(0, lf));
        if (lf == std::string_view::npos || lines.size() == kMaxLines)
            return lines;
        section.remove_prefix(lf + 1);
    }
}

// Empty ticket numbers only come from a ticket file, so the tickets are read from one (where
// a CR inside a line ends it too).
void OpenTickets(TTicketList& tickets, const std::vector<std::string_view>& lines)
{
    static const int fd = ::memfd_create("tickets", MFD_CLOEXEC);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    std::string file;
    for (const auto line : lines)
        file.append(line).append("\r\n");
    FUZZ_CHECK(::ftruncate(fd, 0) == 0);
    FUZZ_CHECK(::pwrite(fd, file.data(), file.size(), 0) == static_cast<ssize_t>(file.size()));
    tickets.Open(path);
    FUZZ_CHECK(tickets.Count() >= lines.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto winningLines = Lines(TakeSection(input));
    auto ticketLines = Lines(TakeSection(input));
    if (!winningLines.empty() && ticketLines.size() > kMaxPairs / winningLines.size())
        ticketLines.resize(std::max<std::size_t>(1, kMaxPairs / winningLines.size()));
    const bool hasLog = !input.empty();
    const std::string_view logText = input;

    TWinningTable table;
    for (const auto line : winningLines) {
        const auto tab = line.find('\t');
        table.Add(line.substr(0, tab), tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1));
    }
    TTicketList tickets;
    bool anyEmpty = false;
    for (const auto line : ticketLines)
        anyEmpty = anyEmpty || line.empty();
    if (anyEmpty) {
        OpenTickets(tickets, ticketLines);
    } else {
        for (const auto line : ticketLines)
            tickets.Add(line);
    }

    TResultLog fast;
    TResultLog plain;
    if (hasLog) {
        fast.SetText(TByteString(logText));
        plain.SetText(TByteString(logText));
    }
    const TByteString before = fast.Text();
    RunCheck(table, tickets, fast);
    RunCheckPlain(table, tickets, plain);
    if (fast.Text() != plain.Text())
        __builtin_trap();
    FUZZ_CHECK(fast.Text().starts_with(before));
    return 0;
}
