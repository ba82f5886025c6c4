#pragma once

#include <filesystem>
#include <string>

namespace qff {

// Makes sure folder/META-INF/manifest.xml is a complete manifest document. A missing,
// empty or cut-off one is replaced by a minimal manifest that lists the package root
// as a formula document and every other file in folder with a media type taken from
// its extension. A complete manifest is left exactly as it is. Returns true when a
// complete manifest is there afterwards.
bool EnsureManifest(const std::filesystem::path& folder);

// Whether text is a whole manifest document: a root element named manifest (any
// prefix) whose end tag closes the document.
bool IsCompleteManifest(const std::string& text);

}  // namespace qff
