#include "engine/ScanPackage.h"
namespace qff {
bool ScanPackage(const std::filesystem::path&, EntryTable&, const std::atomic<int>&, EngineHost&) {
    return false;
}
void ScanSource(ByteSource&, std::uint64_t, EntryTable&, const std::atomic<int>&, std::size_t) {}
}  // namespace qff
