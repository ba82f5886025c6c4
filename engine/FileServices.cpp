#include "engine/FileServices.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <limits>

namespace qff {

OpenedPackage OpenPackage(const std::filesystem::path& path) {
    OpenedPackage opened;
    opened.fd.Reset(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!opened.fd.Valid()) {
        opened.error = errno;
        return opened;
    }
    struct stat info {};
    if (::fstat(opened.fd.Get(), &info) != 0) {
        opened.error = errno;
        opened.fd.Reset();
        return opened;
    }
    if (!S_ISREG(info.st_mode)) {
        opened.error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        opened.fd.Reset();
        return opened;
    }
    if (::flock(opened.fd.Get(), LOCK_EX | LOCK_NB) != 0) {
        opened.error = errno;
        opened.locked = (errno == EWOULDBLOCK);
        opened.fd.Reset();
        return opened;
    }
    opened.length = static_cast<std::uint64_t>(info.st_size);
    return opened;
}

std::string OpenFailureText(const OpenedPackage& opened) {
    if (opened.locked) {
        return "The process cannot access the file because it is being used by another process.";
    }
    return SystemErrorText(opened.error);
}

std::string SystemErrorText(int error) {
    char buffer[256] = {};
    // The GNU form returns the text, which may or may not live in buffer.
    const char* text = ::strerror_r(error, buffer, sizeof buffer);
    return text != nullptr ? std::string(text) : std::string("Unknown error");
}

std::size_t ReadFullAt(int fd, std::uint64_t offset, void* out, std::size_t count) {
    auto* bytes = static_cast<unsigned char*>(out);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got =
            ::pread(fd, bytes + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

bool WriteAll(int fd, const void* data, std::size_t count) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (count > 0) {
        const ssize_t put = ::write(fd, bytes, count);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        bytes += put;
        count -= static_cast<std::size_t>(put);
    }
    return true;
}

bool WriteAllAt(int fd, std::uint64_t offset, const void* data, std::size_t count) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (count > 0) {
        const ssize_t put = ::pwrite(fd, bytes, count, static_cast<off_t>(offset));
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        bytes += put;
        offset += static_cast<std::uint64_t>(put);
        count -= static_cast<std::size_t>(put);
    }
    return true;
}

namespace {

std::atomic<FreeSpaceProbe> freeSpaceProbe{nullptr};

}  // namespace

std::uint64_t FreeSpace(const std::filesystem::path& path) {
    if (const FreeSpaceProbe probe = freeSpaceProbe.load()) {
        return probe(path);
    }
    struct statvfs info {};
    if (::statvfs(path.c_str(), &info) != 0) {
        return std::numeric_limits<std::uint64_t>::max();
    }
    return static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize;
}

void SetFreeSpaceProbe(FreeSpaceProbe probe) {
    freeSpaceProbe.store(probe);
}

bool IsNoSpaceError(int error) {
    return error == ENOSPC || error == EDQUOT || error == EFBIG;
}

bool IsSymlink(const std::filesystem::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool NoLinksBelow(const std::filesystem::path& base, const std::filesystem::path& path) {
    std::filesystem::path walked = base;
    const std::filesystem::path relative = path.lexically_relative(base);
    for (const auto& part : relative) {
        walked /= part;
        if (IsSymlink(walked)) {
            return false;
        }
    }
    return true;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace qff
