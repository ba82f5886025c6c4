#pragma once

#include <filesystem>
#include <string>

#include "engine/EngineHost.h"
#include "engine/EntryTable.h"

namespace qff {

// Why ExtractMember left a member out (or kWritten when it wrote it).
enum class MemberOutcome {
    kWritten,
    kNoOutputPath,    // the entry name had nothing left once made safe
    kCannotOpen,      // the package could not be opened again
    kPastEnd,         // the member's data runs past the end of the package
    kImpossibleSize,  // the compressed bytes cannot produce the uncompressed size
    kTempFileFailed,  // the "OPC" temporary file could not be made or filled
    kStreamDamaged,   // the deflate stream is corrupt or ends before its size
    kCrcMismatch,     // the bytes do not match the CRC-32 the package recorded
    kOutputFailed,    // the output file could not be written completely
    kNoSpace,         // the disk cannot hold the member's bytes
};

// Extracts every row of table from the package at package into folder (the per-file
// folder, which must exist and be a real folder of this user's: when it is a symbolic
// link nothing is written and the bar just runs to its end), in table order, so a later row with
// the same name replaces an earlier one when it can be written. A member the disk cannot hold is
// left out with a red log line: package + " " + entry name + " could not be written:
// not enough free space....". Then makes sure folder holds a
// usable content.xml (EnsureContentXml) and a usable META-INF/manifest.xml
// (EnsureManifest). Moves the per-file bar through host: reset estimate, range 0..n,
// positions 0, then i after row i, then n. Writes no log line. Never ends early; a
// member that cannot be salvaged simply leaves no file. Worker thread.
void ExtractEntries(const std::filesystem::path& folder, const std::filesystem::path& package,
                    const EntryTable& table, EngineHost& host);

// Turns an entry name into its output path below folder and creates the folders it
// calls for, outermost first. "\" and "/" both separate folders; ":" is removed;
// empty, "." and ".." components are dropped, so the path never leaves folder.
// A folder that cannot be created for any reason other than already existing shows
// the system's error text as a notice through host, and no deeper one is tried (each
// would fail the same way): at most one notice per name.
// output is set to the path (empty when nothing of the name is left). Returns true
// when the name held a separator.
bool MakeEntryFolders(const std::filesystem::path& folder, const std::string& name,
                      std::filesystem::path& output, EngineHost& host);

// Writes one member of the package at package to output. Copies the data when both
// sizes are equal and not 0, otherwise inflates it as a raw deflate stream through an
// "OPC" temporary file in the temporary folder (deleted afterwards), cutting the
// output at the uncompressed size. When a CRC-32 is known, the result must match it:
// a mismatch leaves the member out, except that a copy that does not match is tried
// once more as a deflate stream (deflated data can be as long as the original). The
// output file appears whole or not at all: it replaces an existing file (or a link,
// which is not followed) only once complete. What it writes is bounded by the free
// space: a member larger than FreeSpace of its folder is refused before anything is
// written (kNoSpace), and so is one whose writing runs out of space. Memory use is fixed whatever
// the size fields say. The caller makes sure no folder on the way to output is a link.
MemberOutcome ExtractMember(const std::filesystem::path& package,
                            const std::filesystem::path& output, const RecoveredEntry& entry);

}  // namespace qff
