#include "engine/WritePackage.h"

#include "engine/ArchiveWriter.h"
#include "engine/FolderListing.h"

namespace qff {

namespace {

// Adds every file below folder, depth first in listing order. Returns false once a
// member could not be written; a source that cannot be opened is only left out.
bool AddFolder(ArchiveWriter& writer, const std::filesystem::path& folder,
               const std::string& prefix) {
    for (const FolderItem& item : ListFolder(folder)) {
        if (item.kind == FolderItem::Kind::kFolder) {
            if (!AddFolder(writer, item.path, prefix + item.name + "/")) {
                return false;
            }
        } else if (item.kind == FolderItem::Kind::kFile) {
            const ZipResult result = writer.AddFile(prefix + item.name, item.path);
            if (result != ZipResult::kOk && result != ZipResult::kCannotOpen &&
                result != ZipResult::kBadArgument) {
                return false;
            }
        }
    }
    return true;
}

// Files below folder, stopping once more than limit are counted.
std::size_t CountFiles(const std::filesystem::path& folder, std::size_t limit) {
    std::size_t count = 0;
    for (const FolderItem& item : ListFolder(folder)) {
        if (count > limit) {
            break;
        }
        if (item.kind == FolderItem::Kind::kFolder) {
            count += CountFiles(item.path, limit - count);
        } else if (item.kind == FolderItem::Kind::kFile) {
            ++count;
        }
    }
    return count;
}

}  // namespace

bool WritePackage(const std::filesystem::path& source, const std::filesystem::path& destination,
                  std::string* refusal) {
    constexpr std::size_t kMostMembers = 0xFFFF;
    if (CountFiles(source, kMostMembers) > kMostMembers) {
        if (refusal != nullptr) {
            *refusal = "the package would hold more than 65,535 members";
        }
        return false;
    }
    ArchiveWriter writer;
    if (writer.Create(destination) != ZipResult::kOk) {
        return false;
    }
    const bool added = AddFolder(writer, source, "");
    // A failed writer removes its unfinished file.
    const bool closed = added && writer.Close() == ZipResult::kOk;
    if (!closed && refusal != nullptr) {
        *refusal = writer.Refusal();
    }
    return closed;
}

}  // namespace qff
