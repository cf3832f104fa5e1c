// The check and the line file reader against their plain baselines, in one run:
//   build/bench/core/core_bench
// Ratios are printed after the table.

#include "bench/BenchSize.h"
#include "bench/RatioReporter.h"
#include "core/files/LineFile.h"
#include "core/check/ResultLog.h"
#include "core/match/SuffixIndex.h"
#include "core/match/SuffixTrie.h"
#include "core/draw/TicketList.h"
#include "core/check/WinningCheck.h"
#include "core/check/WinningTable.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <numeric>
#include <random>

#include <fcntl.h>
#include <unistd.h>

namespace {

using namespace kelmora;

// 1,000,000 tickets shaped like 12組345678 (10 bytes) and 1,000 winning numbers of lengths
// 1 to 8, as many per length as a real draw has: few short last-digit numbers, most long.
struct CheckData {
    TTicketList tickets;
    TWinningTable table;
    TWinningTable manyNumbers; // 100,000 distinct 6-digit numbers
    TWinningTable endsTable;   // the numbers of `table`, their class naming the kind ends
    std::string ticketFile;

    CheckData()
    {
        std::mt19937 random(7);
        std::uniform_int_distribution<int> digit(0, 9);
        const auto digits = [&](int count) {
            std::string text;
            for (int i = 0; i < count; ++i)
                text += static_cast<char>('0' + digit(random));
            return text;
        };
        const std::size_t ticketCount = bench::Scaled(1'000'000);
        TLineList entries;
        entries.reserve(ticketCount, ticketCount * 10);
        for (std::size_t j = 0; j < ticketCount; ++j)
            entries.push_back(digits(2) + "\x91\x67" + digits(6)); // 組
        const int perLength[] = {1, 2, 5, 10, 50, 132, 300, 500};
        for (int length = 1; length <= 8; ++length)
            for (int n = 0; n < perLength[length - 1]; ++n)
                table.Add(digits(length), "\x82\x50\x93\x99"); // １等
        for (const std::string_view number : table.Numbers())
            endsTable.Add(number, "\x82\x50\x93\x99", TMatchRule::Ends);
        std::vector<int> six(1'000'000);
        std::iota(six.begin(), six.end(), 0);
        std::shuffle(six.begin(), six.end(), random);
        char number[8];
        for (std::size_t i = 0; i < bench::Scaled(100'000); ++i) {
            std::snprintf(number, sizeof number, "%06d", six[i]);
            manyNumbers.Add(number, "\x82\x50\x93\x99");
        }

        ticketFile = (std::filesystem::temp_directory_path() / ("kelmora-bench-" + std::to_string(::getpid()) + ".wkn"))
                         .string();
        WriteLineFile(ticketFile, entries);
        tickets.Open(ticketFile);
    }
    ~CheckData() { std::filesystem::remove(ticketFile); }
};

CheckData& Data()
{
    static CheckData data;
    return data;
}

void BM_RunCheck(benchmark::State& state)
{
    const auto& data = Data();
    for (auto _ : state) {
        TResultLog log;
        RunCheck(data.table, data.tickets, log);
        benchmark::DoNotOptimize(log.Text().data());
    }
}

// The same draw with a kind of match: every ticket is normalised once.
void BM_RunCheckEnds(benchmark::State& state)
{
    const auto& data = Data();
    for (auto _ : state) {
        TResultLog log;
        RunCheck(data.endsTable, data.tickets, log);
        benchmark::DoNotOptimize(log.Text().data());
    }
}

void BM_RunCheck100000Numbers(benchmark::State& state)
{
    const auto& data = Data();
    for (auto _ : state) {
        TResultLog log;
        RunCheck(data.manyNumbers, data.tickets, log);
        benchmark::DoNotOptimize(log.Text().data());
    }
}

void BM_RunCheckPlain(benchmark::State& state)
{
    const auto& data = Data();
    for (auto _ : state) {
        TResultLog log;
        RunCheckPlain(data.table, data.tickets, log);
        benchmark::DoNotOptimize(log.Text().data());
    }
}

// One walk per ticket over the 1,000 numbers, by the cache-resident trie that small draws use
// and by the hash index that large draws use; the trie earns its place while it is the quicker.
// The check counts the trie's bits with the CPU's own instruction, and so does this.
template <class Index>
#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("popcnt")))
#endif
std::size_t
WalkSuffixes(const Index& index, const TLineList& tickets)
{
    std::size_t found = 0;
    for (std::size_t j = 0; j < tickets.size(); ++j) {
        if (j + 16 < tickets.size())
            index.Prefetch(tickets[j + 16]);
        index.ForEachSuffix(tickets[j], [&](std::uint32_t id) { found += id; });
    }
    return found;
}

template <class Index>
void BM_WalkSuffixes(benchmark::State& state)
{
    const auto& data = Data();
    const Index index(data.table.Numbers());
    for (auto _ : state)
        benchmark::DoNotOptimize(WalkSuffixes(index, data.tickets.Entries()));
}

// Touches every byte of every ticket once: the least any check must do.
void BM_PlainPassOverTickets(benchmark::State& state)
{
    const auto& data = Data();
    for (auto _ : state) {
        unsigned sum = 0;
        for (const auto& ticket : data.tickets.Entries())
            for (const char c : ticket)
                sum += static_cast<unsigned char>(c);
        benchmark::DoNotOptimize(sum);
    }
}

void BM_ReadLineFile(benchmark::State& state)
{
    const auto& data = Data();
    for (auto _ : state) {
        auto entries = ReadLineFile(data.ticketFile);
        benchmark::DoNotOptimize(entries.size());
    }
}

// read() into a buffer of the file's size and a line count; nothing of the reader it is
// compared with.
void BM_RawReadAndLineCount(benchmark::State& state)
{
    const auto& data = Data();
    for (auto _ : state) {
        const int fd = ::open(data.ticketFile.c_str(), O_RDONLY | O_CLOEXEC);
        const auto size = static_cast<std::size_t>(::lseek(fd, 0, SEEK_END));
        ::lseek(fd, 0, SEEK_SET);
        std::unique_ptr<char[]> bytes(new char[size + 1]);
        std::size_t filled = 0;
        for (ssize_t got; (got = ::read(fd, bytes.get() + filled, size + 1 - filled)) > 0;)
            filled += static_cast<std::size_t>(got);
        ::close(fd);
        auto lines = std::count(bytes.get(), bytes.get() + filled, '\n');
        benchmark::DoNotOptimize(lines);
    }
}

BENCHMARK(BM_RunCheck)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RunCheckEnds)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RunCheck100000Numbers)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RunCheckPlain)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK_TEMPLATE(BM_WalkSuffixes, TSuffixTrie)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_TEMPLATE(BM_WalkSuffixes, TSuffixIndex)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainPassOverTickets)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadLineFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RawReadAndLineCount)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return kelmora::bench::RunWithRatios(
        argc, argv,
        {{"BM_RunCheckPlain", "BM_RunCheck", "at least 50"},
         {"BM_RunCheck", "BM_PlainPassOverTickets", "at most 10"},
         {"BM_RunCheck100000Numbers", "BM_RunCheck", "(for information; whole process: at most 1.6)"},
         {"BM_RunCheckEnds", "BM_RunCheck", "(for information; whole process: at most 1.5, bench/kinds_of_match.py)"},
         {"BM_WalkSuffixes<TSuffixIndex>", "BM_WalkSuffixes<TSuffixTrie>", "(for information: above 1, the trie pays)"},
         {"BM_ReadLineFile", "BM_RawReadAndLineCount", "at most 3"}});
}
