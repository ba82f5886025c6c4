#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace qff::test {

// One member of a package as its central directory lists it, with its bytes once read
// back through the local header the directory points at.
struct ReadBackMember {
    std::string name;  // stored name bytes
    std::vector<unsigned char> data;
};

// Reads a package the way an ordinary client does: the end record, then the central
// directory, then every member through its local header, inflating or copying its data
// and checking sizes and CRC-32. Returns false with a reason in error when anything
// does not hold together.
bool ReadBackPackage(const std::filesystem::path& package, std::vector<ReadBackMember>& members,
                     std::string& error);

}  // namespace qff::test
