#pragma once

#include <filesystem>
#include <string_view>

namespace qff {

// The built-in empty formula document, 191 bytes, embedded at build time.
std::string_view DefaultContentXml();

// Leaves folder/content.xml alone when it is a file of at least 191 bytes; otherwise
// (missing, shorter, a symbolic link) puts the built-in document in its place.
// Returns true when afterwards folder holds one or the other, false when the default
// was needed and could not be written (for example a folder named content.xml is in
// the way). Never follows a symbolic link.
bool EnsureContentXml(const std::filesystem::path& folder);

}  // namespace qff
