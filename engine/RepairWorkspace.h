#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace qff {

// The user's temporary folder: $TMPDIR when set and not empty, otherwise /tmp.
std::filesystem::path TempFolder();

// The workspace root: TempFolder() / "VivUvud". When that name is taken by something
// that is not a private folder of this user (a symbolic link, a file, a folder owned
// by someone else), a private fallback "VivUvud-<uid>" beside it is used instead.
// Creates nothing.
std::filesystem::path GetWorkspaceRoot();

// The per-file folder name of a package: its file name followed by its list position
// in decimal, such as formula.odf0.
std::string PerFileFolderName(const std::filesystem::path& package, std::size_t position);

// Creates folder (mode 0700) if it is missing. True when folder is afterwards a real
// folder (not a symbolic link) owned by this user.
bool CreateWorkspaceFolder(const std::filesystem::path& folder);

// Whether path is a real folder (not a symbolic link) owned by this user.
bool IsOwnFolder(const std::filesystem::path& path);

// Deletes every file and sub-folder inside folder, at any depth, and leaves folder
// itself. A symbolic link is removed as a link, never followed; a sub-folder owned by
// someone else is left alone. Nothing happens when folder itself is a symbolic link
// or not this user's. Failures are ignored: what cannot be deleted stays, with the
// folders above it.
void DeleteFolderContents(const std::filesystem::path& folder);

// Removes folder when it is empty; true when it was removed.
bool RemoveEmptyFolder(const std::filesystem::path& folder);

// The wipe sequence's engine part: DeleteFolderContents(folder), then remove folder
// itself if that left it empty. Callers that show a preview blank it first, so that
// no picture file is held open.
void WipeFolder(const std::filesystem::path& folder);

}  // namespace qff
