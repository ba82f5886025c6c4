#include "engine/EnsureContentXml.h"
namespace qff {
bool EnsureContentXml(const std::filesystem::path&) {
    return false;
}
}  // namespace qff
