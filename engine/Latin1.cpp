#include "engine/Latin1.h"

namespace qff {

std::string Latin1ToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x80) {
            text.push_back(c);
        } else {
            text.push_back(static_cast<char>(0xC0 | (code >> 6)));
            text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return text;
}

std::string Utf8ToLatin1(std::string_view text, bool* lossless) {
    std::string bytes;
    bytes.reserve(text.size());
    bool kept = true;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            bytes.push_back(static_cast<char>(lead));
            ++i;
            continue;
        }
        // Length of the sequence this lead byte announces; 0 for a stray byte.
        const std::size_t length = (lead >= 0xC2 && lead <= 0xDF)   ? 2
                                   : (lead >= 0xE0 && lead <= 0xEF) ? 3
                                   : (lead >= 0xF0 && lead <= 0xF4) ? 4
                                                                    : 0;
        bool whole = length != 0 && i + length <= text.size();
        for (std::size_t k = 1; whole && k < length; ++k) {
            whole = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        }
        if (!whole) {
            bytes.push_back('?');
            kept = false;
            ++i;
            continue;
        }
        if (length == 2 && lead <= 0xC3) {
            const auto trail = static_cast<unsigned char>(text[i + 1]);
            bytes.push_back(static_cast<char>(((lead & 0x1F) << 6) | (trail & 0x3F)));
        } else {
            bytes.push_back('?');
            kept = false;
        }
        i += length;
    }
    if (lossless != nullptr) {
        *lossless = kept;
    }
    return bytes;
}

}  // namespace qff
