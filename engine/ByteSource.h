#pragma once

#include <cstddef>
#include <cstdint>

namespace qff {

// Random-access bytes of a package. The scan reads through this so that tests can
// feed a fixture from memory in pieces of any size.
class ByteSource {
  public:
    virtual ~ByteSource() = default;

    // Copies up to count bytes starting at offset into out and returns how many were
    // copied. A short count is allowed at any time; 0 means the end of the bytes or a
    // read error, after which the caller treats the rest as missing.
    virtual std::size_t ReadAt(std::uint64_t offset, std::byte* out, std::size_t count) = 0;
};

}  // namespace qff
