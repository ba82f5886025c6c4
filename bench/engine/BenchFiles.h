#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace qff::bench {

// Folder for generated benchmark files: $QFF_BENCH_DIR, else the temporary folder.
std::filesystem::path BenchFolder();

// What fills the damaged file between its members.
enum class Filler { kRandom, kZeros, kLetterP };

// A damaged package of `size` bytes: `members` small deflated members with local
// headers scattered through the filler. Made once per run and reused.
std::filesystem::path DamagedFile(Filler filler, std::uint64_t size, int members);

// A folder of realistic members (XML text of varying size, a few pictures), about
// `totalBytes` in all, as a repair pass would leave it.
std::filesystem::path RealisticFolder(std::uint64_t totalBytes);

// Deterministic text that compresses about as well as office XML.
std::string XmlLikeText(std::size_t size, std::uint64_t seed);

}  // namespace qff::bench
