#include "PackageReadBack.h"

#include <zlib.h>

#include <fstream>
#include <iterator>

namespace qff::test {

namespace {

std::uint32_t Le(const std::vector<unsigned char>& b, std::size_t at, int width) {
    std::uint32_t v = 0;
    for (int i = width - 1; i >= 0; --i) {
        v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    }
    return v;
}

bool Inflate(const unsigned char* in, std::size_t size, std::uint32_t expected,
             std::vector<unsigned char>& out) {
    out.assign(expected, 0);
    z_stream stream{};
    if (inflateInit2(&stream, -15) != Z_OK) {
        return false;
    }
    stream.next_in = const_cast<unsigned char*>(in);
    stream.avail_in = static_cast<uInt>(size);
    unsigned char spare = 0;
    stream.next_out = expected > 0 ? out.data() : &spare;
    stream.avail_out = expected;
    int result = inflate(&stream, Z_FINISH);
    const bool whole = result == Z_STREAM_END && stream.avail_out == 0 && stream.avail_in == 0;
    inflateEnd(&stream);
    return whole;
}

}  // namespace

bool ReadBackPackage(const std::filesystem::path& package, std::vector<ReadBackMember>& members,
                     std::string& error) {
    members.clear();
    std::ifstream in(package, std::ios::binary);
    const std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)),
                                       std::istreambuf_iterator<char>());
    if (b.size() < 22 || Le(b, b.size() - 22, 4) != 0x06054B50) {
        error = "no end record at the end of the package";
        return false;
    }
    const std::size_t end = b.size() - 22;
    const std::uint32_t count = Le(b, end + 10, 2);
    const std::uint32_t dirSize = Le(b, end + 12, 4);
    const std::uint32_t dirOffset = Le(b, end + 16, 4);
    if (Le(b, end + 8, 2) != count || std::uint64_t{dirOffset} + dirSize != end) {
        error = "end record does not match the central directory";
        return false;
    }
    std::size_t at = dirOffset;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (at + 46 > end || Le(b, at, 4) != 0x02014B50) {
            error = "central record " + std::to_string(i) + " is damaged";
            return false;
        }
        const std::uint32_t method = Le(b, at + 10, 2);
        const std::uint32_t crc = Le(b, at + 16, 4);
        const std::uint32_t csize = Le(b, at + 20, 4);
        const std::uint32_t usize = Le(b, at + 24, 4);
        const std::uint32_t nameLength = Le(b, at + 28, 2);
        const std::uint32_t extraLength = Le(b, at + 30, 2);
        const std::uint32_t commentLength = Le(b, at + 32, 2);
        const std::uint32_t local = Le(b, at + 42, 4);
        if (at + 46 + nameLength > end) {
            error = "central record " + std::to_string(i) + " runs past the directory";
            return false;
        }
        ReadBackMember member;
        member.name.assign(b.begin() + static_cast<std::ptrdiff_t>(at + 46),
                           b.begin() + static_cast<std::ptrdiff_t>(at + 46 + nameLength));
        at += 46 + nameLength + extraLength + commentLength;

        if (std::uint64_t{local} + 30 > dirOffset || Le(b, local, 4) != 0x04034B50) {
            error = "no local header for " + member.name;
            return false;
        }
        const std::uint32_t localName = Le(b, local + 26, 2);
        const std::uint32_t localExtra = Le(b, local + 28, 2);
        const std::uint64_t data = std::uint64_t{local} + 30 + localName + localExtra;
        if (data + csize > dirOffset ||
            std::string(b.begin() + local + 30, b.begin() + local + 30 + localName) !=
                member.name ||
            Le(b, local + 14, 4) != crc || Le(b, local + 18, 4) != csize ||
            Le(b, local + 22, 4) != usize) {
            error = "local header of " + member.name + " disagrees with its central record";
            return false;
        }
        if (method == 0) {
            if (csize != usize) {
                error = "stored member " + member.name + " has two sizes";
                return false;
            }
            member.data.assign(b.begin() + static_cast<std::ptrdiff_t>(data),
                               b.begin() + static_cast<std::ptrdiff_t>(data + csize));
        } else if (method != 8 || !Inflate(b.data() + data, csize, usize, member.data)) {
            error = "data of " + member.name + " does not inflate to its size";
            return false;
        }
        const auto actual = static_cast<std::uint32_t>(
            crc32(0L, member.data.data(), static_cast<uInt>(member.data.size())));
        if (actual != crc) {
            error = "CRC-32 of " + member.name + " does not match";
            return false;
        }
        members.push_back(std::move(member));
    }
    if (at != end) {
        error = "central directory size does not match its records";
        return false;
    }
    return true;
}

}  // namespace qff::test
