// Scan throughput against a plain buffered read of the same file, and extraction and
// package writing against zlib's own inflate and level-8 deflate of the same bytes.
// Every figure that matters is a ratio measured within the same run.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>
#include <zlib.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <vector>

#include "BenchFiles.h"
#include "engine/ExtractEntries.h"
#include "engine/FileByteSource.h"
#include "engine/FileServices.h"
#include "engine/ScanPackage.h"
#include "engine/WritePackage.h"

namespace qff::bench {
namespace {

constexpr std::uint64_t kDamagedSize = std::uint64_t{512} << 20;
constexpr int kScatteredMembers = 3000;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// A plain read of the whole file through a 1 MiB buffer: the floor for any scan.
double PlainReadSeconds(const std::filesystem::path& path) {
    std::vector<char> buffer(1 << 20);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const auto start = Clock::now();
    std::uint64_t offset = 0;
    while (true) {
        const ssize_t got = ::pread(fd, buffer.data(), buffer.size(), static_cast<off_t>(offset));
        if (got <= 0) {
            break;
        }
        offset += static_cast<std::uint64_t>(got);
        benchmark::DoNotOptimize(buffer.data());
    }
    const double seconds = Seconds(Clock::now() - start);
    ::close(fd);
    return seconds;
}

double MaxRssMiB() {
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_Scan(benchmark::State& state) {
    const auto filler = static_cast<Filler>(state.range(0));
    const auto path = DamagedFile(filler, kDamagedSize, kScatteredMembers);
    PlainReadSeconds(path);  // bring the file into the page cache
    const auto bufferSize = static_cast<std::size_t>(state.range(1)) << 10;
    double readBest = 1e9;
    double scanBest = 1e9;
    std::size_t rows = 0;
    for (auto _ : state) {
        // The baseline is taken next to every scan so that both see the same machine.
        state.PauseTiming();
        readBest = std::min(readBest, PlainReadSeconds(path));
        state.ResumeTiming();
        const auto start = Clock::now();
        OpenedPackage opened = OpenPackage(path);
        FileByteSource source(opened.fd.Get());
        EntryTable table;
        std::atomic<int> running{1};
        ScanSource(source, opened.length, table, running, bufferSize);
        scanBest = std::min(scanBest, Seconds(Clock::now() - start));
        rows = table.size();
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["read_GBps"] = static_cast<double>(kDamagedSize) / readBest / 1e9;
    state.counters["scan_GBps"] = static_cast<double>(kDamagedSize) / scanBest / 1e9;
    // Best against best: both runs see the machine at its least disturbed.
    state.counters["scan_x_read"] = scanBest / readBest;
    state.counters["max_rss_MiB"] = MaxRssMiB();
    state.SetBytesProcessed(static_cast<std::int64_t>(kDamagedSize) * state.iterations());
}
BENCHMARK(BM_Scan)
    ->ArgsProduct({{static_cast<int>(Filler::kRandom), static_cast<int>(Filler::kZeros),
                    static_cast<int>(Filler::kLetterP)},
                   {256, 1024}})
    ->ArgNames({"filler_random0_zeros1_P2", "buffer_KiB"})
    ->Iterations(7)
    ->Unit(benchmark::kMillisecond);

class NullHost : public EngineHost {
  public:
    void AppendLogLine(const std::string&, ColorRef) override {}
    int ShowAppMessage(const std::string&, unsigned) override { return kIdOk; }
    void ResetFileEstimate() override {}
    void SetFileRange(int) override {}
    void SetFilePosition(int) override {}
};

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The realistic package, its members' bytes and their total size.
struct Realistic {
    std::filesystem::path folder;
    std::filesystem::path package;
    std::vector<std::string> files;
    std::uint64_t bytes = 0;
};

const Realistic& RealisticPackage() {
    static const Realistic realistic = [] {
        Realistic r;
        r.folder = RealisticFolder(std::uint64_t{24} << 20);
        r.package = BenchFolder() / "realistic.odf";
        WritePackage(r.folder, r.package);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(r.folder)) {
            if (entry.is_regular_file()) {
                r.files.push_back(ReadAll(entry.path()));
                r.bytes += r.files.back().size();
            }
        }
        return r;
    }();
    return realistic;
}

std::string RawDeflate(const std::string& text, int level) {
    z_stream s{};
    deflateInit2(&s, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&s, text.size()), '\0');
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    s.avail_in = static_cast<uInt>(text.size());
    s.next_out = reinterpret_cast<Bytef*>(out.data());
    s.avail_out = static_cast<uInt>(out.size());
    deflate(&s, Z_FINISH);
    out.resize(s.total_out);
    deflateEnd(&s);
    return out;
}

// zlib alone: inflate every member from memory into memory.
void BM_ZlibInflate(benchmark::State& state) {
    const Realistic& r = RealisticPackage();
    std::vector<std::string> streams;
    for (const auto& file : r.files) {
        streams.push_back(RawDeflate(file, 8));
    }
    std::vector<unsigned char> out(1 << 20);
    for (auto _ : state) {
        for (std::size_t i = 0; i < streams.size(); ++i) {
            z_stream s{};
            inflateInit2(&s, -15);
            s.next_in = reinterpret_cast<Bytef*>(streams[i].data());
            s.avail_in = static_cast<uInt>(streams[i].size());
            int result = Z_OK;
            while (result == Z_OK) {
                s.next_out = out.data();
                s.avail_out = static_cast<uInt>(out.size());
                result = inflate(&s, Z_NO_FLUSH);
            }
            inflateEnd(&s);
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(r.bytes) * state.iterations());
}
BENCHMARK(BM_ZlibInflate)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The whole extraction of the package into a per-file folder.
void BM_ExtractEntries(benchmark::State& state) {
    const Realistic& r = RealisticPackage();
    NullHost host;
    EntryTable table;
    std::atomic<int> running{1};
    ScanPackage(r.package, table, running, host);
    const auto folder = BenchFolder() / "extracted";
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        state.ResumeTiming();
        ExtractEntries(folder, r.package, table, host);
    }
    state.counters["members"] = static_cast<double>(table.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(r.bytes) * state.iterations());
}
BENCHMARK(BM_ExtractEntries)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// zlib alone: level-8 raw deflate of every member, memory to memory.
void BM_ZlibDeflate8(benchmark::State& state) {
    const Realistic& r = RealisticPackage();
    for (auto _ : state) {
        for (const auto& file : r.files) {
            benchmark::DoNotOptimize(RawDeflate(file, 8));
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(r.bytes) * state.iterations());
}
BENCHMARK(BM_ZlibDeflate8)->Unit(benchmark::kMillisecond)->Iterations(3);

// Packing the folder into a new package on disk.
void BM_WritePackage(benchmark::State& state) {
    const Realistic& r = RealisticPackage();
    const auto out = BenchFolder() / "MENDED_realistic.odf";
    for (auto _ : state) {
        benchmark::DoNotOptimize(WritePackage(r.folder, out));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(r.bytes) * state.iterations());
}
BENCHMARK(BM_WritePackage)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace qff::bench

BENCHMARK_MAIN();
