#include "engine/ScanPackage.h"

#include <algorithm>
#include <array>
#include <string>

#include "engine/FileByteSource.h"
#include "engine/FileServices.h"
#include "engine/Latin1.h"
#include "engine/ScanReader.h"

namespace qff {

namespace {

std::uint16_t Le16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Le32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// The first position the walk examines when its file position is `position`: the
// walk steps back 3 bytes before each 4-byte read, except at positions 4 and below.
std::uint64_t FirstExamined(std::uint64_t position) {
    return position > 4 ? position - 3 : position;
}

// The entry name of the stored name bytes: up to the first zero byte, each byte the
// character of that code, "/" turned into "\".
std::string EntryName(const unsigned char* bytes, std::size_t count) {
    const auto* end = std::find(bytes, bytes + count, 0);
    std::string name = Latin1ToUtf8(std::string_view(reinterpret_cast<const char*>(bytes),
                                                     static_cast<std::size_t>(end - bytes)));
    std::replace(name.begin(), name.end(), '/', '\\');
    return name;
}

// Reads the local header whose signature is at `start` and appends its row when it
// passes the row test. Returns the file position at which the walk resumes.
std::uint64_t ReadHeader(ScanReader& reader, std::uint64_t start, EntryTable& table,
                         const std::atomic<int>& jobRunning) {
    std::array<unsigned char, 26> fields{};
    reader.Read(start + 4, fields.data(), fields.size());
    const std::uint16_t flags = Le16(&fields[2]);
    const std::uint16_t method = Le16(&fields[4]);
    RecoveredEntry entry;
    entry.crc32 = Le32(&fields[10]);
    entry.crcKnown = (flags & 0x0008) == 0;
    entry.compressedSize = Le32(&fields[14]);
    entry.uncompressedSize = Le32(&fields[18]);
    const std::uint16_t nameLength = Le16(&fields[22]);
    const std::uint16_t extraLength = Le16(&fields[24]);

    std::vector<unsigned char> nameBytes(nameLength);
    reader.Read(start + 30, nameBytes.data(), nameBytes.size());
    const std::uint64_t afterName = start + 30 + nameLength;

    if (entry.compressedSize == 0 && entry.uncompressedSize == 0 && method == 8 &&
        afterName < reader.Length()) {
        // Sizes written after the data: take them from the first data descriptor
        // before the next local header.
        const auto hit = reader.Find(FirstExamined(afterName), 3, 4, 7, 8, jobRunning);
        if (hit && hit->second) {
            std::array<unsigned char, 12> descriptor{};
            reader.Read(hit->position + 4, descriptor.data(), descriptor.size());
            entry.crc32 = Le32(&descriptor[0]);
            entry.crcKnown = true;
            entry.compressedSize = Le32(&descriptor[4]);
            entry.uncompressedSize = Le32(&descriptor[8]);
        }
    }

    entry.dataOffset = afterName + extraLength;
    std::string name = EntryName(nameBytes.data(), nameBytes.size());
    if ((entry.compressedSize != 0 || entry.uncompressedSize != 0) && !name.empty()) {
        table.push_back(EntryRow{std::move(name), entry});
    }
    // Jump over the data when its size is known and it lies within the file; otherwise
    // walk on from the end of the extra field, so the members after it are still found.
    const std::uint64_t dataEnd = entry.dataOffset + entry.compressedSize;
    return dataEnd <= reader.Length() ? dataEnd : entry.dataOffset;
}

}  // namespace

std::size_t FileByteSource::ReadAt(std::uint64_t offset, std::byte* out, std::size_t count) {
    return ReadFullAt(fd_, offset, out, count);
}

void ScanSource(ByteSource& source, std::uint64_t length, EntryTable& table,
                const std::atomic<int>& jobRunning, std::size_t bufferSize) {
    ScanReader reader(source, length, bufferSize);
    std::uint64_t position = 0;  // the walk's file position
    while (position < reader.Length() && jobRunning.load(std::memory_order_relaxed) != 0) {
        std::uint64_t from = FirstExamined(position);
        if (from == 0) {
            // Position 0 is examined on its own; the next read starts at 4, so positions
            // 1, 2 and 3 are never examined.
            std::array<unsigned char, 4> head{};
            reader.Read(0, head.data(), head.size());
            if (reader.Length() >= 4 && Le32(head.data()) == 0x04034B50) {
                position = ReadHeader(reader, 0, table, jobRunning);
                continue;
            }
            from = 4;
        }
        const auto hit = reader.Find(from, 3, 4, 3, 4, jobRunning);
        if (!hit) {
            break;
        }
        position = ReadHeader(reader, hit->position, table, jobRunning);
    }
}

bool ScanPackage(const std::filesystem::path& path, EntryTable& table,
                 const std::atomic<int>& jobRunning, EngineHost& host) {
    OpenedPackage opened = OpenPackage(path);
    if (!opened.fd.Valid()) {
        host.ShowAppMessage(OpenFailureText(opened), kMbIconInformation);
        return false;
    }
    const std::string text = path.string();
    host.AppendLogLine(text + " file is open....\r\n", kLogBlack);
    FileByteSource source(opened.fd.Get());
    ScanSource(source, opened.length, table, jobRunning);
    host.AppendLogLine(text + " file is extracted....\r\n", kLogBlack);
    opened.fd.Reset();
    host.AppendLogLine(text + " file is closed....\r\n", kLogBlack);
    return true;
}

}  // namespace qff
