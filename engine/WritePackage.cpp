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

}  // namespace

bool WritePackage(const std::filesystem::path& source, const std::filesystem::path& destination) {
    ArchiveWriter writer;
    if (writer.Create(destination) != ZipResult::kOk) {
        return false;
    }
    if (!AddFolder(writer, source, "")) {
        return false;  // the writer removes its unfinished file
    }
    return writer.Close() == ZipResult::kOk;
}

}  // namespace qff
