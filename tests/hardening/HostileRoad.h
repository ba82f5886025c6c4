#pragma once

#include <atomic>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "ZipBuilder.h"
#include "engine/EntryTable.h"

namespace qff::test {

// One package's whole road in a private temporary folder that stands in for the
// user's: the package in in/, the workspace root below it, the rebuilt package in out/.
// The folder is the process's temporary folder while the road exists, so the "OPC"
// files land in it too.
class HostileRoad {
  public:
    HostileRoad();
    ~HostileRoad();
    HostileRoad(const HostileRoad&) = delete;
    HostileRoad& operator=(const HostileRoad&) = delete;

    // Writes the package bytes and runs the scan and the extraction with its checks.
    void Repair(const Bytes& package);
    void Repair(ZipBuilder& builder) { Repair(builder.Data()); }
    // Packs the per-file folder; true when the writer made the package.
    bool Save();

    // Paths below the temporary folder outside the input, the workspace and the output:
    // anything here was written where it must not be.
    std::vector<std::string> Strays() const;
    // The rebuilt package read back (name -> bytes); fails the test when it does not
    // read back.
    std::map<std::string, std::string> SavedMembers() const;
    // Files of the per-file folder (relative, "/" separated) with their bytes.
    std::map<std::string, std::string> FolderFiles() const;

    const std::filesystem::path& Temp() const { return dir_.Path(); }
    const std::filesystem::path& Package() const { return package_; }
    const std::filesystem::path& Folder() const { return folder_; }
    const std::filesystem::path& Output() const { return output_; }
    const std::filesystem::path& Root() const { return root_; }

    RecordingHost host;
    EntryTable table;
    std::atomic<int> running{1};

  private:
    TempDir dir_;
    std::string savedTmpdir_;
    bool hadTmpdir_ = false;
    std::filesystem::path package_, root_, folder_, output_;
};

}  // namespace qff::test
