// libFuzzer entry point: any bytes as a damaged package go through the scan and the
// extraction into a private folder, which is then wiped.
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "engine/EngineHost.h"
#include "engine/ExtractEntries.h"
#include "engine/RepairWorkspace.h"
#include "engine/ScanPackage.h"

namespace {

class QuietHost : public qff::EngineHost {
  public:
    void AppendLogLine(const std::string&, qff::ColorRef) override { ++calls; }
    int ShowAppMessage(const std::string&, unsigned) override { return qff::kIdOk; }
    void ResetFileEstimate() override {}
    void SetFileRange(int) override {}
    void SetFilePosition(int) override { ++calls; }
    int calls = 0;
};

const std::filesystem::path& FuzzFolder() {
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "qff-fuzz-XXXXXX").string();
        return std::filesystem::path(::mkdtemp(pattern.data()));
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto package = FuzzFolder() / "input.odf";
    const auto folder = FuzzFolder() / "input.odf0";
    std::ofstream(package, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    std::filesystem::create_directories(folder);
    QuietHost host;
    qff::EntryTable table;
    std::atomic<int> running{1};
    if (qff::ScanPackage(package, table, running, host)) {
        qff::ExtractEntries(folder, package, table, host);
    }
    qff::WipeFolder(folder);
    return host.calls > 0 ? 0 : 0;
}
