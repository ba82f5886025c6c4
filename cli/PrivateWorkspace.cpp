#include "cli/PrivateWorkspace.h"

#include <sys/statvfs.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <system_error>

#include "engine/RepairWorkspace.h"

namespace qff {

namespace fs = std::filesystem;

namespace {

// Salvage inflates: allow for each package growing several times over, and leave
// most of the memory folder to everyone else.
constexpr std::uintmax_t kGrowth = 8;
constexpr std::uintmax_t kMemoryReserve = std::uintmax_t{256} << 20;

bool FitsInMemoryFolder(const fs::path& folder, std::uintmax_t inputBytes) {
    struct statvfs fsInfo {};
    if (::access(folder.c_str(), W_OK | X_OK) != 0 || ::statvfs(folder.c_str(), &fsInfo) != 0) {
        return false;
    }
    const std::uintmax_t free = static_cast<std::uintmax_t>(fsInfo.f_bavail) * fsInfo.f_frsize;
    return free / 2 > inputBytes * kGrowth + kMemoryReserve;
}

}  // namespace

fs::path PrivateWorkspace::BaseFolder(std::uintmax_t inputBytes) {
    const char* tmpdir = std::getenv("TMPDIR");
    if (tmpdir != nullptr && *tmpdir != '\0') {
        return tmpdir;
    }
    std::error_code ec;
    if (fs::is_directory("/dev/shm", ec) && FitsInMemoryFolder("/dev/shm", inputBytes)) {
        return "/dev/shm";
    }
    return "/tmp";
}

PrivateWorkspace::PrivateWorkspace(std::uintmax_t inputBytes) {
    std::string pattern = (BaseFolder(inputBytes) / "quillmark-fix-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) {
        folder_ = pattern;
    }
}

PrivateWorkspace::~PrivateWorkspace() {
    if (ok()) {
        WipeFolder(folder_);
    }
}

}  // namespace qff
