#include "ZipBuilder.h"

#include <zlib.h>

#include <fstream>
#include <stdexcept>

namespace qff::test {

Bytes ToBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

std::string ToString(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

Bytes RawDeflate(const Bytes& data, int level) {
    z_stream s{};
    deflateInit2(&s, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    Bytes out(deflateBound(&s, data.size()) + 16);
    s.next_in = const_cast<unsigned char*>(data.data());
    s.avail_in = static_cast<uInt>(data.size());
    s.next_out = out.data();
    s.avail_out = static_cast<uInt>(out.size());
    deflate(&s, Z_FINISH);
    out.resize(s.total_out);
    deflateEnd(&s);
    return out;
}

std::uint32_t Crc32(const Bytes& data) {
    return static_cast<std::uint32_t>(crc32(0, data.data(), static_cast<uInt>(data.size())));
}

void ZipBuilder::U16(std::uint32_t v) {
    bytes_.push_back(static_cast<unsigned char>(v));
    bytes_.push_back(static_cast<unsigned char>(v >> 8));
}

void ZipBuilder::U32(std::uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
}

Bytes ZipBuilder::StoredBytes(const Member& member) {
    return member.deflate ? RawDeflate(member.data) : member.data;
}

std::uint64_t ZipBuilder::Add(const Member& member) {
    const Bytes stored = StoredBytes(member);
    const std::uint32_t crc = member.crc.value_or(Crc32(member.data));
    const auto csize = member.compressedSize.value_or(static_cast<std::uint32_t>(stored.size()));
    const auto usize =
        member.uncompressedSize.value_or(static_cast<std::uint32_t>(member.data.size()));
    const std::uint64_t offset = bytes_.size();
    U32(0x04034B50);
    U16(20);
    U16(member.descriptor ? (member.flags | 0x0008) : member.flags);
    U16(member.deflate ? 8 : 0);
    U16(0x6000);
    U16(0x5A21);
    U32(member.descriptor ? 0 : crc);
    U32(member.descriptor ? 0 : csize);
    U32(member.descriptor ? 0 : usize);
    U16(member.nameLength.value_or(static_cast<std::uint16_t>(member.name.size())));
    U16(static_cast<std::uint16_t>(member.extra.size()));
    bytes_.insert(bytes_.end(), member.name.begin(), member.name.end());
    bytes_.insert(bytes_.end(), member.extra.begin(), member.extra.end());
    dataOffsets_.push_back(bytes_.size());
    bytes_.insert(bytes_.end(), stored.begin(), stored.end());
    if (member.descriptor) {
        Descriptor(crc, csize, usize);
    }
    written_.push_back({member, offset, crc, csize, usize});
    return offset;
}

void ZipBuilder::Junk(std::size_t count, unsigned char value) {
    bytes_.insert(bytes_.end(), count, value);
}

void ZipBuilder::Raw(const Bytes& bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

void ZipBuilder::Descriptor(std::uint32_t crc, std::uint32_t csize, std::uint32_t usize) {
    U32(0x08074B50);
    U32(crc);
    U32(csize);
    U32(usize);
}

void ZipBuilder::Finish() {
    const std::uint64_t start = bytes_.size();
    for (const Written& w : written_) {
        U32(0x02014B50);
        U16(20);
        U16(20);
        U16(w.member.descriptor ? (w.member.flags | 0x0008) : w.member.flags);
        U16(w.member.deflate ? 8 : 0);
        U16(0x6000);
        U16(0x5A21);
        U32(w.crc);
        U32(w.csize);
        U32(w.usize);
        U16(static_cast<std::uint32_t>(w.member.name.size()));
        U16(0);
        U16(0);
        U16(0);
        U16(0);
        U32(0);
        U32(static_cast<std::uint32_t>(w.offset));
        bytes_.insert(bytes_.end(), w.member.name.begin(), w.member.name.end());
    }
    const std::uint64_t size = bytes_.size() - start;
    U32(0x06054B50);
    U16(0);
    U16(0);
    U16(static_cast<std::uint32_t>(written_.size()));
    U16(static_cast<std::uint32_t>(written_.size()));
    U32(static_cast<std::uint32_t>(size));
    U32(static_cast<std::uint32_t>(start));
    U16(0);
}

void ZipBuilder::WriteTo(const std::string& path) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes_.data()),
              static_cast<std::streamsize>(bytes_.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

}  // namespace qff::test
