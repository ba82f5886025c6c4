#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qff::test {

using Bytes = std::vector<unsigned char>;

Bytes ToBytes(const std::string& text);
std::string ToString(const Bytes& bytes);
Bytes RawDeflate(const Bytes& data, int level = 6);
std::uint32_t Crc32(const Bytes& data);

// One local header and its data. Anything left unset is computed from the data.
struct Member {
    std::string name;
    Bytes data;           // the uncompressed bytes
    bool deflate = true;  // method 8 with a raw deflate stream, else method 0
    std::uint16_t flags = 0;
    std::optional<std::uint32_t> crc;
    std::optional<std::uint32_t> compressedSize;    // as written in the header
    std::optional<std::uint32_t> uncompressedSize;  // as written in the header
    Bytes extra;
    // Bit 3 style: sizes and CRC 0 in the header, a "PK\7\8" descriptor after the data.
    bool descriptor = false;
    std::optional<std::uint16_t> nameLength;  // overrides the real length
};

// Writes damaged or sound packages byte by byte so that a test can put each fault
// exactly where it wants it.
class ZipBuilder {
  public:
    // Appends a local header plus data; returns the header's offset.
    std::uint64_t Add(const Member& member);
    // The data bytes a member gets (its deflate stream or its plain bytes).
    static Bytes StoredBytes(const Member& member);
    void Junk(std::size_t count, unsigned char value = 0xAA);
    void Raw(const Bytes& bytes);
    void Raw(const std::string& bytes) { Raw(ToBytes(bytes)); }
    void Descriptor(std::uint32_t crc, std::uint32_t csize, std::uint32_t usize);
    // A central directory and end record for the members added so far, so that
    // ordinary readers accept the result.
    void Finish();
    void TruncateTo(std::size_t size) { bytes_.resize(size); }

    std::size_t Size() const { return bytes_.size(); }
    Bytes& Data() { return bytes_; }
    // Offset of the first data byte of member i.
    std::uint64_t DataOffset(std::size_t i) const { return dataOffsets_.at(i); }
    void WriteTo(const std::string& path) const;

  private:
    struct Written {
        Member member;
        std::uint64_t offset;
        std::uint32_t crc, csize, usize;
    };
    void U16(std::uint32_t v);
    void U32(std::uint32_t v);
    Bytes bytes_;
    std::vector<Written> written_;
    std::vector<std::uint64_t> dataOffsets_;
};

}  // namespace qff::test
