#pragma once

#include <filesystem>
#include <string>

namespace qff {

// Whether name (a file name) ends in one of the picture extensions jpg, bmp, png,
// gif, emf, jpeg, compared without regard to ASCII case.
bool IsMediaFileName(const std::string& name);

// Copies every picture file found anywhere below source flat into target (which must
// exist) under its own file name, replacing a file of that name; when two pictures
// share a name, the one met later in the walk wins. A copy that fails is skipped and
// leaves no partial file. Symbolic links are not followed. A missing source copies
// nothing. Returns true when the walk ran to its end.
bool ExtractMedia(const std::filesystem::path& source, const std::filesystem::path& target);

}  // namespace qff
