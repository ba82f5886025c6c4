#pragma once

#include <string>
#include <string_view>

namespace qff {

// Reads bytes as ISO-8859-1 (each byte is the character of that code) and returns
// the text as UTF-8.
std::string Latin1ToUtf8(std::string_view bytes);

// Turns UTF-8 text back into ISO-8859-1 bytes. A character beyond U+00FF, and a byte
// that is not part of a valid UTF-8 sequence, becomes "?". lossless (when given) says
// whether every character could be kept.
std::string Utf8ToLatin1(std::string_view text, bool* lossless = nullptr);

}  // namespace qff
