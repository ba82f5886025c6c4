#pragma once

#include <cstdint>
#include <filesystem>

namespace qff {

// The folder a batch run keeps its salvage and its temporary files in: a new folder
// only this user can enter, so a run never touches the workspace of a window open at
// the same time, and another user cannot reach into it. The repair pass's root is
// root(); the engine's temporary files go to the folder itself (the run points
// TMPDIR there). The destructor deletes everything.
//
// Where it lives: under $TMPDIR when that is set; otherwise in the memory-backed
// /dev/shm when the batch fits there with room to spare (a run makes and deletes
// several files per package, which costs far less in memory than on a disk);
// otherwise under /tmp.
class PrivateWorkspace {
  public:
    // inputBytes: the total size of the packages of the run.
    explicit PrivateWorkspace(std::uintmax_t inputBytes);
    ~PrivateWorkspace();
    PrivateWorkspace(const PrivateWorkspace&) = delete;
    PrivateWorkspace& operator=(const PrivateWorkspace&) = delete;

    // False when no folder could be made.
    bool ok() const { return !folder_.empty(); }
    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path root() const { return folder_ / "VivUvud"; }

    // The folder the private one is made in, for a run of inputBytes.
    static std::filesystem::path BaseFolder(std::uintmax_t inputBytes);

  private:
    std::filesystem::path folder_;
};

}  // namespace qff
