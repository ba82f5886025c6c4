#include "engine/WritePackage.h"
namespace qff {
bool WritePackage(const std::filesystem::path&, const std::filesystem::path&) {
    return false;
}
}  // namespace qff
