#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qff::test {

// One member of a package built for a test.
struct Member {
    std::string name;
    std::string data;
    bool deflate = true;
};

// Builds the bytes of a ZIP package: local headers, data, central directory and end
// record, each member stored or raw-deflated.
std::string BuildPackage(const std::vector<Member>& members);

// The same members in the streaming form a writer uses when it cannot seek back:
// every member deflated, flag bit 3 set, zero CRC and sizes in the local header and
// a signed data descriptor after the data. Folder entries (names ending in "/") are
// left out. Central directory and end record as usual.
std::string BuildStreamingPackage(const std::vector<Member>& members);

// A small formula document: mimetype, a content.xml that names `formula` (larger than
// the built-in one, so it is never replaced), a manifest and, on request, a thumbnail
// and a picture.
std::vector<Member> FormulaMembers(const std::string& formula, bool pictures);

void WriteFile(const std::filesystem::path& path, const std::string& bytes);
std::string ReadFile(const std::filesystem::path& path);

// Reads a package through its central directory, checking every local header against
// it, inflating each member and checking its CRC-32. Returns the members by name, or
// nothing when anything about the package is wrong.
std::optional<std::map<std::string, std::string>> ReadPackage(const std::filesystem::path& path);

// Every file below `folder`, by path relative to it ('/' separated), with its bytes.
std::map<std::string, std::string> ReadTree(const std::filesystem::path& folder);

// A fresh empty folder under the system's temporary folder, deleted with the object.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// Holds a file open with an exclusive lock, as another program would.
class LockedFile {
  public:
    explicit LockedFile(const std::filesystem::path& path);
    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

  private:
    int fd_ = -1;
};

}  // namespace qff::test
