#pragma once

#include <filesystem>
#include <string>

namespace qff {

// Packs every file below source (a per-file folder) into a new ZIP package at
// destination, in the order of the folder listing (each folder's entries sorted by
// name without regard to ASCII case, sub-folders walked where they are met). Symbolic
// links and empty folders leave no trace. An existing destination is replaced, but
// only once the new package is complete: a failure half-way leaves no file behind
// and whatever stood at destination untouched. A source file that cannot be opened is
// left out of the package. Returns true when the package was written. Worker thread.
//
// No ZIP64: a folder of more than 65,535 files is refused before anything is written,
// and a file or a package of 4 GiB or more as soon as it is met; then refusal (when
// given) receives a sentence saying which limit, for the log.
bool WritePackage(const std::filesystem::path& source, const std::filesystem::path& destination,
                  std::string* refusal = nullptr);

}  // namespace qff
