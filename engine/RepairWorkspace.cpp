#include "engine/RepairWorkspace.h"
namespace qff {
std::filesystem::path TempFolder() {
    return "/tmp";
}
std::filesystem::path GetWorkspaceRoot() {
    return TempFolder() / "VivUvud";
}
std::string PerFileFolderName(const std::filesystem::path& p, std::size_t i) {
    return p.filename().string() + std::to_string(i);
}
bool CreateWorkspaceFolder(const std::filesystem::path&) {
    return false;
}
bool IsOwnFolder(const std::filesystem::path&) {
    return false;
}
void DeleteFolderContents(const std::filesystem::path&) {}
bool RemoveEmptyFolder(const std::filesystem::path&) {
    return false;
}
void WipeFolder(const std::filesystem::path&) {}
}  // namespace qff
