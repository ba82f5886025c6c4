#include "engine/RepairWorkspace.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "engine/FolderListing.h"

namespace qff {

namespace {

// Whether path is free to become this user's folder or already is one.
bool UsableAsRoot(const std::filesystem::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        return errno == ENOENT;
    }
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid();
}

}  // namespace

std::filesystem::path TempFolder() {
    const char* tmpdir = std::getenv("TMPDIR");
    if (tmpdir != nullptr && *tmpdir != '\0') {
        return tmpdir;
    }
    return "/tmp";
}

std::filesystem::path GetWorkspaceRoot() {
    const std::filesystem::path root = TempFolder() / "VivUvud";
    if (UsableAsRoot(root)) {
        return root;
    }
    // The name is taken by something that is not ours: use a name of our own.
    return TempFolder() / ("VivUvud-" + std::to_string(::geteuid()));
}

std::string PerFileFolderName(const std::filesystem::path& package, std::size_t position) {
    return package.filename().string() + std::to_string(position);
}

bool IsOwnFolder(const std::filesystem::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid();
}

bool CreateWorkspaceFolder(const std::filesystem::path& folder) {
    ::mkdir(folder.c_str(), 0700);
    return IsOwnFolder(folder);
}

void DeleteFolderContents(const std::filesystem::path& folder) {
    if (!IsOwnFolder(folder)) {
        return;
    }
    for (const FolderItem& item : ListFolder(folder)) {
        if (item.kind == FolderItem::Kind::kFolder) {
            if (item.owner != ::geteuid()) {
                continue;
            }
            DeleteFolderContents(item.path);
            ::rmdir(item.path.c_str());
        } else {
            // Files, and links as links: unlink never follows.
            ::unlink(item.path.c_str());
        }
    }
}

bool RemoveEmptyFolder(const std::filesystem::path& folder) {
    return IsOwnFolder(folder) && ::rmdir(folder.c_str()) == 0;
}

void WipeFolder(const std::filesystem::path& folder) {
    DeleteFolderContents(folder);
    RemoveEmptyFolder(folder);
}

}  // namespace qff
