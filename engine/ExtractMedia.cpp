#include "engine/ExtractMedia.h"

#include <fcntl.h>

#include <vector>

#include "engine/AtomicFile.h"
#include "engine/FileServices.h"
#include "engine/FolderListing.h"

namespace qff {

namespace {

// Copies source to target through a hidden file, so a failed copy leaves no
// partial picture and an existing one is replaced only by a whole one.
bool CopyWhole(const std::filesystem::path& source, const std::filesystem::path& target) {
    const UniqueFd in(::open(source.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    AtomicFile out;
    if (!in.Valid() || !out.Open(target)) {
        return false;
    }
    std::vector<unsigned char> block(1 << 16);
    std::uint64_t offset = 0;
    while (true) {
        const std::size_t got = ReadFullAt(in.Get(), offset, block.data(), block.size());
        if (got > 0 && !out.Write(block.data(), got)) {
            return false;
        }
        offset += got;
        if (got < block.size()) {
            break;
        }
    }
    return out.Commit();
}

void CopyMediaBelow(const std::filesystem::path& folder, const std::filesystem::path& target) {
    for (const FolderItem& item : ListFolder(folder)) {
        if (item.kind == FolderItem::Kind::kFolder) {
            CopyMediaBelow(item.path, target);
        } else if (item.kind == FolderItem::Kind::kFile && IsMediaFileName(item.name)) {
            CopyWhole(item.path, target / item.name);
        }
    }
}

}  // namespace

bool IsMediaFileName(const std::string& name) {
    static constexpr std::string_view kExtensions[] = {"jpg", "bmp", "png", "gif", "emf", "jpeg"};
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) {
        return false;
    }
    const std::string_view extension = std::string_view(name).substr(dot + 1);
    for (const std::string_view known : kExtensions) {
        if (EqualsIgnoringAsciiCase(extension, known)) {
            return true;
        }
    }
    return false;
}

bool ExtractMedia(const std::filesystem::path& source, const std::filesystem::path& target) {
    CopyMediaBelow(source, target);
    return true;
}

}  // namespace qff
