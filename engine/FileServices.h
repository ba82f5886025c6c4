#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "engine/UniqueFd.h"

namespace qff {

// The outcome of opening a package for reading.
struct OpenedPackage {
    UniqueFd fd;
    std::uint64_t length = 0;
    int error = 0;        // errno of the failure, 0 on success
    bool locked = false;  // another program holds the file locked
};

// Opens a package for reading with exclusive access: a regular file only (a folder
// gives EISDIR), then an exclusive non-blocking lock, which fails while another open
// file description holds one.
OpenedPackage OpenPackage(const std::filesystem::path& path);

// The text a notice shows for a failed OpenPackage: the system's wording of the
// error, or a sentence saying the file is in use when it is locked.
std::string OpenFailureText(const OpenedPackage& opened);

// The system's wording of an errno value.
std::string SystemErrorText(int error);

// Reads count bytes at offset with as many reads as it takes; returns the number
// read, short only at the end of the file or on an error.
std::size_t ReadFullAt(int fd, std::uint64_t offset, void* out, std::size_t count);

// Writes all count bytes; false on any failure.
bool WriteAll(int fd, const void* data, std::size_t count);

// Writes all count bytes at offset without moving the file position.
bool WriteAllAt(int fd, std::uint64_t offset, const void* data, std::size_t count);

// Bytes this user can still write in the file system that holds path; UINT64_MAX
// when the system cannot tell.
std::uint64_t FreeSpace(const std::filesystem::path& path);

// Replaces the answer of FreeSpace, for tests (nullptr restores the system's).
using FreeSpaceProbe = std::uint64_t (*)(const std::filesystem::path& path);
void SetFreeSpaceProbe(FreeSpaceProbe probe);

// Whether a failed write's errno says the disk (or the file size limit) is full.
bool IsNoSpaceError(int error);

// Whether path exists and is a symbolic link (not followed).
bool IsSymlink(const std::filesystem::path& path);

// Whether no component of path below base is a symbolic link. path must start
// with base.
bool NoLinksBelow(const std::filesystem::path& base, const std::filesystem::path& path);

// ASCII case-insensitive equality, as the program compares extensions.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace qff
