#pragma once

#include <string>

namespace qff {

// The lock that keeps the program to one running instance on the machine, whoever
// started it: an exclusive lock on a file in /tmp, held from start to end of the
// process and released by the system when the process ends, however it ends.
class SingleInstanceLock {
  public:
    // The lock file every instance uses, derived from the program's lock name.
    static std::string DefaultPath();

    explicit SingleInstanceLock(std::string path = DefaultPath());
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // Takes the lock. True when this process now holds it; false when another instance
    // holds it. A lock file that cannot be opened at all does not keep the program
    // from starting: true, without a lock.
    bool Acquire();

    // Whether another instance held the lock when Acquire was called.
    bool AlreadyExisted() const { return alreadyExisted_; }

  private:
    std::string path_;
    int fd_ = -1;
    bool alreadyExisted_ = false;
};

}  // namespace qff
