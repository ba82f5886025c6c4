#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/ByteSource.h"

namespace qff {

// Buffered random-access reader for the local-header scan. It holds one window of
// the source; a search slides the window forward, keeping the last 3 bytes so that a
// signature across the window's edge is still seen. A source that stops delivering
// bytes before the length it was given ends there: the reader shortens its length.
class ScanReader {
  public:
    // A search's answer: where the signature starts and whether it was the second one.
    struct Hit {
        std::uint64_t position = 0;
        bool second = false;
    };

    ScanReader(ByteSource& source, std::uint64_t length, std::size_t capacity);

    std::uint64_t Length() const { return length_; }

    // Copies count bytes at offset into out; bytes past the end read as zero.
    void Read(std::uint64_t offset, unsigned char* out, std::size_t count);

    // The first position p >= from with p + 4 <= Length() whose bytes are "PK" followed
    // by (third, fourth) or by (otherThird, otherFourth). Examines positions in order;
    // reads jobRunning before starting and before each new window, and gives up
    // (nullopt) when it is 0 or when no such position exists.
    std::optional<Hit> Find(std::uint64_t from, unsigned char third, unsigned char fourth,
                            unsigned char otherThird, unsigned char otherFourth,
                            const std::atomic<int>& jobRunning);

  private:
    // Loads the window starting at offset. Returns false when nothing could be read.
    bool Fill(std::uint64_t offset);

    ByteSource& source_;
    std::uint64_t length_;
    std::vector<unsigned char> window_;
    std::uint64_t windowStart_ = 0;
    std::size_t windowLength_ = 0;
};

// Index of the first i with i + 4 <= count at which data holds "PK" followed by
// (third, fourth) or (otherThird, otherFourth); count when there is none. Chooses the
// widest vector instructions the processor offers.
std::size_t FindSignature(const unsigned char* data, std::size_t count, unsigned char third,
                          unsigned char fourth, unsigned char otherThird,
                          unsigned char otherFourth);

}  // namespace qff
