#include "engine/EnsureManifest.h"
namespace qff {
bool EnsureManifest(const std::filesystem::path&) {
    return false;
}
bool IsCompleteManifest(const std::string&) {
    return false;
}
}  // namespace qff
