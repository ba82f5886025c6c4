#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <zlib.h>

#include "engine/AtomicFile.h"

namespace qff {

// Result codes of the archive writer; zero is success.
enum class ZipResult : std::uint32_t {
    kOk = 0x00000000,
    kCannotOpen = 0x00000200,     // the output or a source file could not be created or opened
    kWriteFailed = 0x00000400,    // a write failed or a member could not be completed
    kTooLarge = 0x00000800,       // the archive would outgrow the 32-bit ZIP format: a member
                                  // or the archive of 4 GiB or more, more than 65,535 members
    kBadArgument = 0x00010000,    // no archive, empty or unconvertible member name
    kFailedEarlier = 0x00040000,  // the archive failed before; the member is refused
    kClosed = 0x00050000,         // the archive is closed; the member is refused
};

// Writes one ZIP archive: Create, any number of AddFile, Close. Every member gets a
// local header with its final CRC-32 and sizes (rewritten in place once the data is
// out), an extended-timestamp extra field, and a central directory record. Members
// whose extension is one of .Z .zip .zoo .arc .lzh .arj .gz .tgz are stored, all
// others deflated at level 8. The archive is built in a hidden file beside the
// destination, which takes the destination's place only when Close succeeds; if the
// writer is destroyed without a successful Close, the hidden file is removed.
class ArchiveWriter {
  public:
    ArchiveWriter();
    ~ArchiveWriter();
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    // Starts an archive that will replace destination once closed.
    ZipResult Create(const std::filesystem::path& destination);

    // Adds the file at source as member name (UTF-8; "\" or "/" separators). The name is
    // written in ISO-8859-1, characters beyond it as "?"; names over 259 bytes are
    // refused with kBadArgument. A write failure sets the sticky error, after which
    // every AddFile and Close fail. No ZIP64: a source of 4 GiB or more, a 65,536th
    // member, or data that would carry the archive to 4 GiB is refused with kTooLarge
    // (sticky too, with a sentence in Refusal()); the source's size is checked before
    // any of it is read.
    ZipResult AddFile(const std::string& name, const std::filesystem::path& source);

    // Writes the central directory and end record and moves the archive into place.
    // A second Close writes nothing and returns kClosed.
    ZipResult Close();

    // Number of members added so far.
    std::size_t MemberCount() const { return members_.size(); }

    // Bytes written so far.
    std::uint64_t Position() const { return position_; }

    // Why the last kTooLarge came back, as a sentence for the log; empty otherwise.
    const std::string& Refusal() const { return refusal_; }

    // The largest size and offset the format can record (0xFFFFFFFF); tests lower it to
    // reach the limits without gigabytes of data.
    void SetLargestForTesting(std::uint64_t largest) { largest_ = largest; }

  private:
    // What the central directory needs of one written member.
    struct MemberEntry {
        std::uint16_t flags = 0;
        std::uint16_t method = 0;
        std::uint16_t dosTime = 0;
        std::uint16_t dosDate = 0;
        std::uint32_t crc = 0;
        std::uint32_t compressedSize = 0;
        std::uint32_t uncompressedSize = 0;
        std::string name;  // ISO-8859-1 bytes, "/" separators
        std::uint32_t mtime = 0;
        std::uint32_t externalAttributes = 0;
        std::uint32_t headerOffset = 0;
    };

    // Appends bytes at the write position; a failure sets the sticky error.
    bool Append(const void* data, std::size_t size);
    // Sets the sticky kTooLarge with its sentence.
    ZipResult Refuse(std::string why);
    ZipResult WriteStored(int in, MemberEntry& member);
    ZipResult WriteDeflated(int in, MemberEntry& member);

    AtomicFile file_;
    bool created_ = false;
    std::uint64_t position_ = 0;
    ZipResult sticky_ = ZipResult::kOk;
    std::uint64_t largest_ = 0xFFFFFFFFu;
    std::string refusal_;
    bool closed_ = false;
    std::vector<MemberEntry> members_;
    z_stream deflater_{};
    bool deflaterReady_ = false;
    std::vector<unsigned char> inBuffer_;
    std::vector<unsigned char> outBuffer_;
};

}  // namespace qff
