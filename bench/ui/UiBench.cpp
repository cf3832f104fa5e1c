// The main window against the core alone and against a bare Qt window, in one run:
//   QT_QPA_PLATFORM=offscreen build/bench/ui/ui_bench      (or under xvfb-run)
// Ratios are printed after the table.

#include "bench/BenchSize.h"
#include "bench/RatioReporter.h"
#include "core/files/LineFile.h"
#include "core/check/WinningCheck.h"
#include "ui/KelmoraApplication.h"
#include "ui/ResultLogView.h"
#include "ui/Startup.h"
#include "ui/Unit1.h"
#include "ui/widgets/ListBox.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace kelmora;
using namespace kelmora::ui;

constexpr const char* kChildOption = "--startup-child=";

// 1,000,000 tickets shaped like 12組345678, checked against the year-end sample draw, whose
// last-digit class alone lets one ticket in ten win.
struct Data {
    std::string ticketFile;
    std::string definitionFile = KELMORA_EXAMPLES_DIR "/nenmatsu-jumbo.wkx";

    Data()
    {
        std::mt19937 random(7);
        std::uniform_int_distribution<int> digit(0, 9);
        TLineList entries;
        const std::size_t count = bench::Scaled(1'000'000);
        entries.reserve(count, count * 10);
        for (std::size_t i = 0; i < count; ++i) {
            std::string ticket;
            for (int d = 0; d < 2; ++d)
                ticket += static_cast<char>('0' + digit(random));
            ticket += "\x91\x67"; // 組
            for (int d = 0; d < 6; ++d)
                ticket += static_cast<char>('0' + digit(random));
            entries.push_back(std::move(ticket));
        }
        ticketFile =
            (std::filesystem::temp_directory_path() / ("kelmora-ui-bench-" + std::to_string(::getpid()) + ".wkn"))
                .string();
        WriteLineFile(ticketFile, entries);
    }
    ~Data() { std::filesystem::remove(ticketFile); }
};

Data& TheData()
{
    static Data data;
    return data;
}

// Made on first use and destroyed before the application object, in main.
std::unique_ptr<TForm1> theForm;

TForm1& TheForm()
{
    if (!theForm) {
        theForm = std::make_unique<TForm1>();
        theForm->show();
        auto* pages = theForm->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
        pages->setCurrentWidget(theForm->findChild<QWidget*>(QStringLiteral("TabSheet2")));
        QApplication::processEvents();
    }
    return *theForm;
}

void CloseCompletionMessages(TForm1& form)
{
    for (QMessageBox* box : form.findChildren<QMessageBox*>())
        box->close();
    QApplication::processEvents();
}

void BM_ReadLineFile(benchmark::State& state)
{
    const Data& data = TheData();
    TLineList entries;
    for (auto _ : state) {
        ReadLineFile(data.ticketFile, entries);
        benchmark::DoNotOptimize(entries.size());
    }
    state.counters["lines"] = static_cast<double>(entries.size());
}

// From the open command's file to the list box painted with it.
void BM_OpenTicketFileUntilShown(benchmark::State& state)
{
    const Data& data = TheData();
    TForm1& form = TheForm();
    auto* tickets = form.findChild<TListBox*>(QStringLiteral("ListBox2"));
    for (auto _ : state) {
        form.OpenTicketFile(data.ticketFile);
        QApplication::processEvents();
        tickets->viewport()->repaint();
    }
    state.counters["lines"] = static_cast<double>(tickets->model()->rowCount());
}

void BM_RunCheck(benchmark::State& state)
{
    const Data& data = TheData();
    TForm1& form = TheForm();
    form.OpenTicketFile(data.ticketFile);
    form.SelectDefinition(data.definitionFile);
    const TCheckState& checkState = form.State();
    for (auto _ : state) {
        state.PauseTiming();
        TResultLog log = checkState.resultLog;
        state.ResumeTiming();
        RunCheck(checkState.WinningTable(), checkState.ticketList, log);
        benchmark::DoNotOptimize(log.Text().data());
    }
}

// From the check button to the wins painted in the results text area: its last lines (the
// lines above them follow between events), or with `whole`, every line of the report.
void CheckUntilPainted(benchmark::State& state, bool whole)
{
    const Data& data = TheData();
    TForm1& form = TheForm();
    auto* results = form.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
    form.OpenTicketFile(data.ticketFile);
    for (auto _ : state) {
        state.PauseTiming();
        CloseCompletionMessages(form);
        form.SelectDefinition(data.definitionFile);
        QApplication::processEvents();
        state.ResumeTiming();
        form.Button3Click();
        form.Timer1Timer();
        if (whole)
            form.ResultLogView().FinishFilling();
        results->viewport()->repaint();
    }
    CloseCompletionMessages(form);
    state.counters["logMB"] = static_cast<double>(form.State().resultLog.Text().size()) / 1e6;
}

void BM_CheckUntilShown(benchmark::State& state)
{
    CheckUntilPainted(state, false);
}

void BM_CheckUntilFilled(benchmark::State& state)
{
    CheckUntilPainted(state, true);
}

// Start-up is measured in a fresh process each time, from exec to the window's first paint.
class ExitOnFirstPaint : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched == parent())
            std::_Exit(0);
        return false;
    }
};

int RunStartupChild(const char* kind, int argc, char** argv)
{
    if (std::strcmp(kind, "kelmora") == 0)
        return RunKelmora(argc, argv, [](TForm1& form) { form.installEventFilter(new ExitOnFirstPaint(&form)); });
    QApplication application(argc, argv);
    QWidget window;
    window.resize(553, 249 + 18);
    if (std::strcmp(kind, "label") == 0)
        new QLabel(QStringLiteral("クジの種類"), &window);
    window.installEventFilter(new ExitOnFirstPaint(&window));
    window.show();
    return application.exec();
}

// Seconds from spawning a child of this kind until it has painted its window; negative when
// the child failed.
double StartChild(const char* kind)
{
    const std::string option = std::string(kChildOption) + kind;
    char* const arguments[] = {const_cast<char*>("ui_bench"), const_cast<char*>(option.c_str()), nullptr};
    const auto start = std::chrono::steady_clock::now();
    // Spawned, not forked: copying this process's large tables would be measured too.
    pid_t pid = 0;
    if (::posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, arguments, environ) != 0)
        return -1;
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct StartupRatios {
    std::size_t pairs = 0;
    double toBare = 0;
    double toLabel = 0;
};
StartupRatios startupRatios;

// The program's start-up against a bare Qt window showing nothing and against one showing a
// Japanese label (which brings in the fonts), in paired runs: each iteration starts all three
// one after another, in an order that rotates, so that a slow moment of the machine weighs on
// all of them. The ratios are the medians of the per-iteration ratios.
void BM_StartupPaired(benchmark::State& state)
{
    const char* kinds[] = {"bare", "label", "kelmora"};
    std::vector<double> toBare;
    std::vector<double> toLabel;
    std::size_t turn = 0;
    for (auto _ : state) {
        double seconds[3] = {};
        for (std::size_t i = 0; i < 3; ++i) {
            const std::size_t kind = (turn + i) % 3;
            seconds[kind] = StartChild(kinds[kind]);
        }
        ++turn;
        if (seconds[0] <= 0 || seconds[1] <= 0 || seconds[2] <= 0) {
            state.SkipWithError("a child did not reach its first paint");
            break;
        }
        toBare.push_back(seconds[2] / seconds[0]);
        toLabel.push_back(seconds[2] / seconds[1]);
    }
    if (toBare.empty())
        return;
    startupRatios = {toBare.size(), Median(toBare), Median(toLabel)};
    state.counters["kelmora/bare"] = startupRatios.toBare;
    state.counters["kelmora/label"] = startupRatios.toLabel;
}

BENCHMARK(BM_ReadLineFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenTicketFileUntilShown)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RunCheck)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CheckUntilShown)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CheckUntilFilled)->Unit(benchmark::kMillisecond)->UseRealTime();
// At least 15 pairs; the suite's quick run (KELMORA_BENCH_SCALE) makes do with 3.
BENCHMARK(BM_StartupPaired)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(static_cast<benchmark::IterationCount>(std::max<std::size_t>(3, bench::Scaled(21))));

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strncmp(argv[1], kChildOption, std::strlen(kChildOption)) == 0) {
        int childArgc = 1;
        return RunStartupChild(argv[1] + std::strlen(kChildOption), childArgc, argv);
    }
    // The window benchmarks share one application and one main window, as the program does.
    TKelmoraApplication application(argc, argv);
    const int result = bench::RunWithRatios(argc, argv,
                                            {{"BM_OpenTicketFileUntilShown", "BM_ReadLineFile", "<= 2"},
                                             {"BM_CheckUntilShown", "BM_RunCheck", "<= 2"},
                                             {"BM_CheckUntilFilled", "BM_RunCheck", "(for information)"}});
    if (startupRatios.pairs > 0) {
        std::printf("\nStart-up, median of %zu paired runs (exec to first paint):\n", startupRatios.pairs);
        std::printf("  kelmora / bare window          = %9.3f   (target: <= 1.5)\n", startupRatios.toBare);
        std::printf("  kelmora / window with a label  = %9.3f   (target: <= 1.2)\n", startupRatios.toLabel);
    }
    theForm.reset();
    return result;
}
