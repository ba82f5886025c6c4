#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "engine/ByteSource.h"
#include "engine/EngineHost.h"
#include "engine/EntryTable.h"

namespace qff {

// Bytes the scan buffers at once; memory use does not grow with the file.
inline constexpr std::size_t kScanBufferSize = std::size_t{1} << 20;

// Local-header scan of one package, run on the repair pass's worker thread.
//
// Opens the file at path for reading with exclusive access (a folder, a missing
// file, a file without permission or one that another program holds locked cannot be
// opened) and walks its raw bytes for ZIP local file headers, appending one row to
// table (already empty) for every header whose sizes are not both zero and whose name
// is not empty. Positions examined: 0, then 4, 5, 6, ... and, after a header, from 3
// bytes before the place where the scan resumes.
//
// Log lines go to host in black: path + " file is open....", and when the walk ends
// (for any reason) path + " file is extracted...." and path + " file is closed....",
// each ending in CR LF. jobRunning is read before the first position and at least
// once per buffer of examined positions; 0 ends the walk early with the rows found so
// far. Returns true when the file could be opened, whatever it held; false when it
// could not, after showing the system's error text as a notice (no log line, table
// left empty).
bool ScanPackage(const std::filesystem::path& path, EntryTable& table,
                 const std::atomic<int>& jobRunning, EngineHost& host);

// The walk itself over length bytes of source, with a buffer of bufferSize bytes
// (at least 16). Writes no log lines. The table it makes does not depend on
// bufferSize nor on how the source splits its reads.
void ScanSource(ByteSource& source, std::uint64_t length, EntryTable& table,
                const std::atomic<int>& jobRunning, std::size_t bufferSize = kScanBufferSize);

}  // namespace qff
