// quillmark-fix over 1,000 small damaged packages, against a shell loop that runs
// `zip -FF` once per file over the same packages, measured in the same run. The
// in-process passes below it show where the program's own time goes.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "JobScenario.h"
#include "PackageFixture.h"
#include "RunFix.h"
#include "cli/ConsoleView.h"
#include "engine/RepairWorkspace.h"
#include "jobs/RepairJob.h"
#include "jobs/SaveJob.h"

namespace {

namespace fs = std::filesystem;
using namespace qff;
using namespace qff::test;

constexpr int kFiles = 1000;

// 1,000 formula packages with a thumbnail and a picture, each cut off where its
// central directory began: the commonest damage, which both tools can salvage whole.
class Corpus {
  public:
    Corpus() {
        fs::create_directory(dir_.path() / "in");
        // zip asks whether a package without its end record spans disks.
        WriteFile(dir_.path() / "answer", "y\n");
        for (int i = 0; i < kFiles; ++i) {
            const fs::path path = dir_.path() / "in" / ("formula" + std::to_string(i) + ".odf");
            const std::string package = BuildPackage(FormulaMembers(path.string(), true));
            WriteFile(path, package.substr(0, package.find("PK\1\2")));
            files_.push_back(path.string());
        }
    }
    const fs::path& dir() const { return dir_.path(); }
    const std::vector<std::string>& files() const { return files_; }

    // A fresh empty folder below the corpus.
    fs::path Fresh(const std::string& name) const {
        const fs::path path = dir_.path() / name;
        fs::remove_all(path);
        fs::create_directory(path);
        return path;
    }

  private:
    TempDir dir_;
    std::vector<std::string> files_;
};

Corpus& TheCorpus() {
    static Corpus corpus;
    return corpus;
}

double gZipLoopSeconds = 0;

std::chrono::steady_clock::time_point Now() {
    return std::chrono::steady_clock::now();
}

double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(Now() - start).count();
}

void PerFile(benchmark::State& state, double seconds) {
    seconds /= static_cast<double>(state.iterations());
    state.counters["files_per_s"] = kFiles / seconds;
    state.counters["ms_per_file"] = seconds * 1000 / kFiles;
}

void Run(benchmark::State& state, const std::string& command) {
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TheCorpus().Fresh("out");
        state.ResumeTiming();
        const auto start = Now();
        if (RunShell(command) != 0) {
            state.SkipWithError(("failed: " + command).c_str());
            return;
        }
        seconds += Since(start);
    }
    PerFile(state, seconds);
    seconds /= static_cast<double>(state.iterations());
    if (gZipLoopSeconds == 0) {
        gZipLoopSeconds = seconds;
    } else {
        state.counters["time_vs_zip_loop"] = seconds / gZipLoopSeconds;
    }
}

void BM_ZipFixLoop(benchmark::State& state) {
    const Corpus& c = TheCorpus();
    Run(state,
        "cd " + ShellQuote((c.dir() / "in").string()) +
            " && for f in *.odf; do zip -FF \"$f\" --out \"../out/$f\" <../answer >/dev/null 2>&1;"
            " done");
}
BENCHMARK(BM_ZipFixLoop)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

void BM_QuillmarkFix(benchmark::State& state) {
    const Corpus& c = TheCorpus();
    Run(state, "cd " + ShellQuote((c.dir() / "in").string()) + " && " +
                   ShellQuote(QFF_FIX_PROGRAM) + " --out ../out *.odf >/dev/null 2>&1");
}
BENCHMARK(BM_QuillmarkFix)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The two passes inside one process, without the program's start and its output.
struct Passes {
    Passes()
        : view(TheCorpus().files(), TheCorpus().Fresh("out-passes").string(), true, devnull(),
               devnull()) {
        view.SetColour(false);
        view.SetProgress(false);
        params = JobParams{&view, &running, TheCorpus().dir() / "ws" / "VivUvud"};
        fs::create_directories(TheCorpus().dir() / "ws");
    }
    ~Passes() { WipeFolder(params.workspaceRoot); }
    static std::FILE* devnull() {
        static std::FILE* f = std::fopen("/dev/null", "w");
        return f;
    }
    JobFlag running{0};
    ConsoleView view;
    JobParams params;
};

void BM_RepairPass(benchmark::State& state) {
    Passes p;
    double seconds = 0;
    for (auto _ : state) {
        const auto start = Now();
        RepairJob job(p.params);
        job.Start();  // wipes the workspace of the iteration before
        job.Run();
        seconds += Since(start);
    }
    PerFile(state, seconds);
}
BENCHMARK(BM_RepairPass)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_SavePass(benchmark::State& state) {
    Passes p;
    RepairJob repair(p.params);
    repair.Start();
    repair.Run();
    double seconds = 0;
    for (auto _ : state) {
        const auto start = Now();
        SaveJob job(p.params);
        job.Run();
        seconds += Since(start);
    }
    PerFile(state, seconds);
}
BENCHMARK(BM_SavePass)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_WipeWorkspace(benchmark::State& state) {
    Passes p;
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        RepairJob repair(p.params);
        repair.Start();
        repair.Run();
        state.ResumeTiming();
        const auto start = Now();
        WipeFolder(p.params.workspaceRoot);
        seconds += Since(start);
    }
    PerFile(state, seconds);
}
BENCHMARK(BM_WipeWorkspace)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
