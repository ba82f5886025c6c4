#include "app/SingleInstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace qff {

std::string SingleInstanceLock::DefaultPath() {
    // The lock's name, "FORMULAFIXGlobal\{05CA3573-B449-4e0b-83F5-7FD612E378FORMULAFIX}",
    // with its separator made file-name safe. Always /tmp, never $TMPDIR: every user
    // of the machine must meet the same file.
    return "/tmp/FORMULAFIXGlobal_{05CA3573-B449-4e0b-83F5-7FD612E378FORMULAFIX}.lock";
}

SingleInstanceLock::SingleInstanceLock(std::string path) : path_(std::move(path)) {}

SingleInstanceLock::~SingleInstanceLock() {
    if (fd_ >= 0) {
        ::close(fd_);  // releases the lock; the file stays for the next start
    }
}

bool SingleInstanceLock::Acquire() {
    if (fd_ >= 0) {
        return true;
    }
    // Never through a symbolic link someone placed in /tmp. A file another user made
    // can still be opened for reading, and a read-only descriptor locks just as well.
    int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd >= 0) {
        struct stat info {};
        if (::fstat(fd, &info) == 0 && info.st_uid == ::geteuid()) {
            // Readable by every user, whatever the umask, so their instances can test it.
            ::fchmod(fd, 0644);
        }
    } else if (errno == EACCES) {
        fd = ::open(path_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    }
    if (fd < 0) {
        return true;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return true;
    }
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) {
            continue;
        }
        ::close(fd);
        alreadyExisted_ = (errno == EWOULDBLOCK);
        return !alreadyExisted_;
    }
    fd_ = fd;
    return true;
}

}  // namespace qff
