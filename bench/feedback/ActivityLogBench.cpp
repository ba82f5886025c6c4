// How appending to the activity log scales with the length of the log.
//
// A pass writes one line per step and the log has no length limit, so the cost of
// one append must not grow with what is already there. Each benchmark times blocks of
// 1000 appends to a log that already holds a given number of lines; the block into an
// empty log is the baseline of the same run, and the block after 100,000 lines is
// reported against it as "ratio_to_empty".

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <chrono>
#include <cstdlib>

#include "feedback/ActivityLog.h"

namespace {

constexpr int kBlock = 1000;

QString LineFor(int i) {
    return QStringLiteral("/home/user/documents/damaged/formula-%1.odf file is extracted....\r\n")
        .arg(i);
}

// Seconds for one block of appends into a log that holds `prefill` lines.
double TimeBlock(qff::ActivityLog& log, int prefill) {
    for (int i = log.document()->blockCount() - 1; i < prefill; ++i) {
        log.AppendLogLine(LineFor(i), i % 7 == 0 ? 0x009900u : 0x000000u);
    }
    QApplication::processEvents();
    const auto begin = std::chrono::steady_clock::now();
    for (int i = 0; i < kBlock; ++i) {
        log.AppendLogLine(LineFor(prefill + i), 0x000000u);
    }
    QApplication::processEvents();  // the repaint the user waits for
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

double g_emptyBlock = 0.0;

void BM_AppendBlock(benchmark::State& state) {
    const int prefill = static_cast<int>(state.range(0));
    double total = 0.0;
    int blocks = 0;
    for (auto _ : state) {
        state.PauseTiming();
        qff::ActivityLog log;
        log.resize(800, 400);
        log.show();
        state.ResumeTiming();
        // Only the block itself counts.
        const double seconds = TimeBlock(log, prefill);
        state.SetIterationTime(seconds);
        total += seconds;
        ++blocks;
    }
    const double perBlock = total / blocks;
    if (prefill == 0) {
        g_emptyBlock = perBlock;
    } else if (g_emptyBlock > 0.0) {
        state.counters["ratio_to_empty"] = perBlock / g_emptyBlock;
    }
    state.counters["us_per_line"] = perBlock / kBlock * 1e6;
}
BENCHMARK(BM_AppendBlock)
    ->Arg(0)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

// A whole pass of 100,000 lines into an empty, visible log, with the event loop
// running every 100 lines as it does while a worker waits for each line.
void BM_WholePass(benchmark::State& state) {
    for (auto _ : state) {
        qff::ActivityLog log;
        log.resize(800, 400);
        log.show();
        QElapsedTimer longestGap;
        qint64 longest = 0;
        longestGap.start();
        for (int i = 0; i < 100000; ++i) {
            log.AppendLogLine(LineFor(i), i % 7 == 0 ? 0x009900u : 0x000000u);
            if (i % 100 == 99) {
                QApplication::processEvents();
                longest = std::max(longest, longestGap.restart());
            }
        }
        state.counters["longest_ms_per_100_lines"] = static_cast<double>(longest);
    }
}
BENCHMARK(BM_WholePass)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
