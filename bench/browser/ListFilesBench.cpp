// The file list's listing of a large directory against a plain scan of the same directory,
// in one run:
//   QT_QPA_PLATFORM=offscreen build/bench/browser/browser_bench [--files=N]
// N (default 100,000, also from KELMORA_BENCH_FILES, divided by KELMORA_BENCH_SCALE) .wkx files.
// Ratios are printed after the table.

#include "bench/BenchSize.h"
#include "bench/RatioReporter.h"
#include "ui/browser/FileListBox.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

std::size_t FileCount(int& argc, char** argv)
{
    std::size_t count = 100000;
    if (const char* files = std::getenv("KELMORA_BENCH_FILES"))
        count = std::strtoul(files, nullptr, 10);
    // Take --files=N out of the arguments before Google Benchmark sees them.
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--files=", 8) == 0)
            count = std::strtoul(argv[i] + 8, nullptr, 10);
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    return kelmora::bench::Scaled(count);
}

// A directory of its own with the files, named like draws (some in upper case), removed at exit.
class DrawFolder {
public:
    explicit DrawFolder(std::size_t count)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kelmora-bench-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
        for (std::size_t i = 0; i < count; ++i) {
            char name[64];
            std::snprintf(name, sizeof name, i % 7 == 0 ? "DRAW%07zu.WKX" : "draw%07zu.wkx", (i * 7919) % count);
            const int fd = ::open((path_ + "/" + name).c_str(), O_CREAT | O_WRONLY, 0644);
            if (fd >= 0)
                ::close(fd);
        }
    }
    ~DrawFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

DrawFolder* folder = nullptr;

void BM_PlainScan(benchmark::State& state)
{
    for (auto _ : state) {
        std::vector<std::string> names;
        if (DIR* dir = ::opendir(folder->Path().c_str())) {
            while (const dirent* entry = ::readdir(dir))
                names.emplace_back(entry->d_name);
            ::closedir(dir);
        }
        benchmark::DoNotOptimize(names.data());
    }
}
BENCHMARK(BM_PlainScan)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole listing as the user waits for it: search, sort, the model's reset and the view's
// layout and paint.
void BM_ListFiles(benchmark::State& state)
{
    kelmora::ui::TFileListBox list;
    list.SetMask(QStringLiteral("*.wkx"));
    list.resize(385, 177);
    list.FollowDirectory(folder->Path());
    list.show();
    QApplication::processEvents();
    for (auto _ : state) {
        list.ListFiles();
        QApplication::processEvents();
    }
    state.counters["files"] = static_cast<double>(list.FileNames().size());
}
BENCHMARK(BM_ListFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::size_t count = FileCount(argc, argv);
    QApplication app(argc, argv);
    DrawFolder draws(count);
    folder = &draws;
    std::printf("%zu files in %s\n", count, draws.Path().c_str());
    return kelmora::bench::RunWithRatios(argc, argv, {{"BM_ListFiles", "BM_PlainScan", "at most 10"}});
}
