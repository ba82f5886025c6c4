#include "engine/ExtractEntries.h"
namespace qff {
void ExtractEntries(const std::filesystem::path&, const std::filesystem::path&, const EntryTable&,
                    EngineHost&) {}
bool MakeEntryFolders(const std::filesystem::path&, const std::string&,
                      std::filesystem::path& output, EngineHost&) {
    output.clear();
    return false;
}
MemberOutcome ExtractMember(const std::filesystem::path&, const std::filesystem::path&,
                            const RecoveredEntry&) {
    return MemberOutcome::kCannotOpen;
}
}  // namespace qff
