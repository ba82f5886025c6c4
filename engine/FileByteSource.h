#pragma once

#include "engine/ByteSource.h"

namespace qff {

// Reads an open file through pread; the file position is never used.
class FileByteSource : public ByteSource {
  public:
    explicit FileByteSource(int fd) : fd_(fd) {}
    std::size_t ReadAt(std::uint64_t offset, std::byte* out, std::size_t count) override;

  private:
    int fd_;
};

}  // namespace qff
