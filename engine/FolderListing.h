#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace qff {

// One entry of a folder, as lstat sees it (links are not followed).
struct FolderItem {
    enum class Kind { kFile, kFolder, kLink, kOther };
    std::string name;
    std::filesystem::path path;
    Kind kind = Kind::kOther;
    uid_t owner = 0;
};

// The entries of folder without "." and "..", sorted by name without regard to ASCII
// case (names equal that way keep byte order), so every walk of the program meets
// files in one order whatever the file system returns. Empty when folder cannot be
// listed.
std::vector<FolderItem> ListFolder(const std::filesystem::path& folder);

}  // namespace qff
