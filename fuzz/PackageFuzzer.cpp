// Feeds arbitrary bytes through the whole repair road of one package: the scan, the
// extraction into a throw-away workspace with its content and manifest checks, and the
// package writer. After every input it checks that nothing was written outside the
// workspace, that no temporary file was left behind, and that the rebuilt package
// reads back member for member as exactly the files of the per-file folder.
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "PackageReadBack.h"
#include "engine/EngineHost.h"
#include "engine/ExtractEntries.h"
#include "engine/Latin1.h"
#include "engine/RepairWorkspace.h"
#include "engine/ScanPackage.h"
#include "engine/WritePackage.h"

namespace fs = std::filesystem;

namespace {

class QuietHost : public qff::EngineHost {
  public:
    void AppendLogLine(const std::string&, qff::ColorRef) override {}
    int ShowAppMessage(const std::string&, unsigned) override { return qff::kIdOk; }
    void ResetFileEstimate() override {}
    void SetFileRange(int) override {}
    void SetFilePosition(int) override {}
};

// The private temporary folder every run works in: the input, the workspace below it
// and the output folder. Nothing else may ever appear in it.
fs::path g_temp;

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "package fuzzer: %s\n", what.c_str());
    std::abort();
}

// Every entry below root that is not below one of the allowed prefixes.
std::vector<std::string> Strays(const fs::path& root, const std::set<fs::path>& allowed) {
    std::vector<std::string> strays;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const fs::path& p = it->path();
        const bool inside = std::any_of(allowed.begin(), allowed.end(), [&](const fs::path& a) {
            const auto rel = p.lexically_relative(a);
            return !rel.empty() && *rel.begin() != "..";
        });
        if (!inside && allowed.count(p) == 0) {
            strays.push_back(p.string());
        }
    }
    return strays;
}

// The stored name every regular file below folder gets in a package, with its bytes.
// Also fails on anything below folder that the engine must never leave there.
std::map<std::string, std::vector<unsigned char>> ExpectedMembers(const fs::path& folder) {
    std::map<std::string, std::vector<unsigned char>> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const fs::file_status status = it->symlink_status();
        if (fs::is_symlink(status)) {
            Fail("a symbolic link in the workspace: " + it->path().string());
        }
        // Files are made private (0600) and opened up (0644) only once complete.
        if (fs::is_regular_file(status) &&
            (status.permissions() & fs::perms::group_read) == fs::perms::none) {
            Fail("an unfinished file was left behind: " + it->path().string());
        }
        if (!fs::is_regular_file(status)) {
            continue;
        }
        const std::string name =
            qff::Utf8ToLatin1(it->path().lexically_relative(folder).generic_string());
        // The writer refuses names longer than 259 bytes by design; such a file stays
        // in the folder but not in the package.
        if (name.size() > 259) {
            continue;
        }
        std::ifstream in(it->path(), std::ios::binary);
        files[name].assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return files;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Memory-backed when the system has it: the runs create and remove many files.
    char pattern[] = "/dev/shm/qff-fuzz-XXXXXX";
    char fallback[] = "/tmp/qff-fuzz-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    if (made == nullptr && (made = ::mkdtemp(fallback)) == nullptr) {
        Fail("cannot make a temporary folder");
    }
    g_temp = made;
    ::setenv("TMPDIR", made, 1);
    std::atexit([] {
        std::error_code ec;
        fs::remove_all(g_temp, ec);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path input = g_temp / "damaged.odf";
    const fs::path outFolder = g_temp / "out";
    const fs::path output = outFolder / "MENDED_damaged.odf";
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    fs::create_directories(outFolder);

    QuietHost host;
    std::atomic<int> running{1};
    qff::EntryTable table;
    if (!qff::ScanPackage(input, table, running, host)) {
        Fail("the scan could not open its input");
    }
    const fs::path root = qff::GetWorkspaceRoot();
    if (root != g_temp / "VivUvud" || !qff::CreateWorkspaceFolder(root)) {
        Fail("no private workspace root");
    }
    const fs::path folder = root / qff::PerFileFolderName(input, 0);
    if (!qff::CreateWorkspaceFolder(folder)) {
        Fail("no per-file folder");
    }
    qff::ExtractEntries(folder, input, table, host);

    // The content check leaves a usable content.xml unless a folder of that name
    // blocks it.
    std::error_code ec;
    const fs::path content = folder / "content.xml";
    const fs::file_status status = fs::symlink_status(content, ec);
    if (!fs::is_directory(status) &&
        (!fs::is_regular_file(status) || fs::file_size(content, ec) < 191)) {
        Fail("no usable content.xml after the content check");
    }

    const auto expected = ExpectedMembers(folder);
    if (!qff::WritePackage(folder, output)) {
        Fail("the package writer failed");
    }
    const auto strays = Strays(g_temp, {input, root, outFolder, output});
    if (!strays.empty()) {
        Fail("written outside the workspace: " + strays.front());
    }
    std::size_t outputs = 0;
    for (auto it = fs::directory_iterator(outFolder, ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        ++outputs;
    }
    if (outputs != 1 || !fs::is_regular_file(fs::symlink_status(output, ec))) {
        Fail("the output folder holds something other than the rebuilt package");
    }

    std::vector<qff::test::ReadBackMember> members;
    std::string error;
    if (!qff::test::ReadBackPackage(output, members, error)) {
        Fail("the rebuilt package does not read back: " + error);
    }
    std::map<std::string, std::vector<unsigned char>> listed;
    for (auto& m : members) {
        if (!listed.emplace(m.name, std::move(m.data)).second) {
            Fail("a name listed twice: " + m.name);
        }
    }
    if (listed != expected) {
        Fail("the package's members differ from the files of the per-file folder");
    }

    qff::WipeFolder(root);
    fs::remove(output, ec);
    if (fs::exists(root, ec)) {
        Fail("the wipe left the workspace behind");
    }
    return 0;
}
