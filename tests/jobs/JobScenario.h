#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "PackageFixture.h"
#include "RecordingView.h"
#include "jobs/JobParams.h"

namespace qff::test {

// What a listed file is on disk when the pass comes to it.
enum class FileKind {
    Good,          // a sound formula package
    WithPictures,  // the same, with a thumbnail and a picture
    Locked,        // a sound package that another program holds locked
    Missing,       // no such file
    Empty,         // a file of 0 bytes
    Junk,          // bytes without a single local header
    Folder,        // a folder with a package's name
};

// The expected log blocks, written out as the user reads them.
std::vector<LogLine> RepairedLines(const std::string& path);
std::vector<LogLine> ExtractionFailedLines(const std::string& path);
std::vector<LogLine> RepairStoppedLines(const std::string& path);
std::vector<LogLine> RepairEndLines();
// media: 0 = box unticked, 1 = ticked and pictures found, 2 = ticked, none found.
std::vector<LogLine> SavedLines(const std::string& path, int media);
std::vector<LogLine> SaveFailedLines(const std::string& path);
std::vector<LogLine> NotRepairedSaveLines(const std::string& path);
std::vector<LogLine> SaveStoppedLines(const std::string& path);
std::vector<LogLine> SaveEndLines();
void Append(std::vector<LogLine>& to, const std::vector<LogLine>& lines);

// A temporary folder with the packages of one test, a recording view and the flag, and
// the passes run against them.
class JobScenario {
  public:
    JobScenario();

    // Creates a file of the given kind as folder/name (folder is made below the
    // scenario's own folder) and lists it. Returns its full path.
    std::string List(FileKind kind, const std::string& name, const std::string& folder = "in");
    // The members of a package that List made, by name.
    std::map<std::string, std::string> MembersOf(const std::string& path) const;

    void Repair();
    int Save(const std::filesystem::path& destination);

    const std::filesystem::path& dir() const { return tmp_.path(); }
    std::filesystem::path root() const { return params.workspaceRoot; }

    RecordingView view;
    JobFlag running{0};
    JobParams params;

  private:
    TempDir tmp_;
    std::vector<std::unique_ptr<LockedFile>> locks_;
    std::map<std::string, std::vector<Member>> made_;
};

}  // namespace qff::test
