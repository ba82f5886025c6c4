#include "engine/AtomicFile.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "engine/FileServices.h"

namespace qff {

AtomicFile::~AtomicFile() {
    Discard();
}

bool AtomicFile::Open(const std::filesystem::path& target) {
    Discard();
    // A short fixed name, so that a target name near the file system's limit still
    // leaves room for the hidden one.
    std::string pattern = (target.parent_path() / ".qff-XXXXXX").string();
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    fd_.Reset(fd);
    target_ = target;
    partial_ = pattern;
    return true;
}

bool AtomicFile::Write(const void* data, std::size_t count) {
    return fd_.Valid() && WriteAll(fd_.Get(), data, count);
}

bool AtomicFile::Commit() {
    if (!fd_.Valid()) {
        return false;
    }
    const bool moded = ::fchmod(fd_.Get(), 0644) == 0;
    const bool closed = ::close(fd_.Get()) == 0;
    fd_ = UniqueFd();
    if (!moded || !closed || std::rename(partial_.c_str(), target_.c_str()) != 0) {
        Discard();
        return false;
    }
    partial_.clear();
    return true;
}

void AtomicFile::Discard() {
    fd_.Reset();
    if (!partial_.empty()) {
        ::unlink(partial_.c_str());
        partial_.clear();
    }
}

}  // namespace qff
