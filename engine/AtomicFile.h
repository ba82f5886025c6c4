#pragma once

#include <cstddef>
#include <filesystem>

#include "engine/UniqueFd.h"

namespace qff {

// A file that appears at its target only when complete. It is written as a hidden
// file in the target's folder and renamed over the target by Commit; rename replaces
// a symbolic link at the target instead of following it. Until Commit succeeds,
// nothing at the target changes, and the hidden file is removed on destruction.
class AtomicFile {
  public:
    AtomicFile() = default;
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the hidden file beside target. False (errno set) when it cannot.
    bool Open(const std::filesystem::path& target);

    // Appends count bytes; false on a failed or short write.
    bool Write(const void* data, std::size_t count);

    // The descriptor of the hidden file, for writers that seek.
    int Fd() const { return fd_.Get(); }

    // Closes the hidden file and moves it to the target (mode 0644). False when that
    // fails; the hidden file is then removed.
    bool Commit();

    // Removes the hidden file without touching the target.
    void Discard();

  private:
    UniqueFd fd_;
    std::filesystem::path target_;
    std::filesystem::path partial_;
};

}  // namespace qff
