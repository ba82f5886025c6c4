#include "engine/ArchiveWriter.h"
namespace qff {
ArchiveWriter::ArchiveWriter() = default;
ArchiveWriter::~ArchiveWriter() = default;
ZipResult ArchiveWriter::Create(const std::filesystem::path&) {
    return ZipResult::kCannotOpen;
}
ZipResult ArchiveWriter::AddFile(const std::string&, const std::filesystem::path&) {
    return ZipResult::kBadArgument;
}
ZipResult ArchiveWriter::Close() {
    return ZipResult::kBadArgument;
}
}  // namespace qff
