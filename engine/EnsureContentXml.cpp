#include "engine/EnsureContentXml.h"

#include <sys/stat.h>
#include <unistd.h>

#include "engine/AtomicFile.h"

namespace qff {

bool EnsureContentXml(const std::filesystem::path& folder) {
    const std::string_view fallback = DefaultContentXml();
    if (fallback.empty()) {
        return false;
    }
    const std::filesystem::path path = folder / "content.xml";
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0) {
        if (S_ISREG(info.st_mode) && static_cast<std::uint64_t>(info.st_size) >= fallback.size()) {
            return true;
        }
        // Too short, or a link: make way for the default. A folder stays and makes
        // the write below fail.
        if (!S_ISDIR(info.st_mode)) {
            ::unlink(path.c_str());
        }
    }
    AtomicFile file;
    return file.Open(path) && file.Write(fallback.data(), fallback.size()) && file.Commit();
}

}  // namespace qff
