#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qff {

// One member that the local-header scan located in a damaged package. The scan
// never judges the member's data; extraction decides what can be salvaged.
struct RecoveredEntry {
    std::uint32_t compressedSize = 0;    // data bytes stored for the member
    std::uint32_t uncompressedSize = 0;  // size of the member once extracted
    std::uint64_t dataOffset = 0;        // file position of the first data byte
    // CRC-32 of the extracted bytes as the package recorded it: from the local header
    // when its flag bit 3 is clear, or from the data descriptor the scan found for a
    // member whose sizes were zero. crcKnown is false when neither was available;
    // extraction then has nothing to compare against.
    std::uint32_t crc32 = 0;
    bool crcKnown = false;
};

// A row of the table: the entry name and its member. The name is UTF-8 text made from
// the stored name bytes read as ISO-8859-1 (one character per byte, up to the first
// zero byte), with every "/" replaced by "\". It is what the package says, not yet
// a safe path: MakeEntryFolders confines it to a folder.
struct EntryRow {
    std::string name;
    RecoveredEntry entry;
};

// The recovered entry table of one package: rows in the order their headers occur in
// the file. Nothing is sorted, merged or de-duplicated.
using EntryTable = std::vector<EntryRow>;

}  // namespace qff
