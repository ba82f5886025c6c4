#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "engine/AtomicFile.h"
#include "engine/ExtractEntries.h"
#include "engine/FileServices.h"
#include "engine/RepairWorkspace.h"

namespace qff {

namespace {

constexpr std::size_t kPiece = 16384;        // inflater input pieces
constexpr std::size_t kCopyBlock = 1 << 16;  // copies and inflater output
// Deflate cannot expand its input by more than this factor (a 258-byte match costs at
// least about two bits); a size beyond it cannot be produced by the stored bytes.
constexpr std::uint64_t kMaxInflateRatio = 1032;

// The "OPC" temporary file that carries the compressed bytes of one member. It exists
// only while its member is extracted.
class OpcTempFile {
  public:
    ~OpcTempFile() {
        fd_.Reset();
        if (!path_.empty()) {
            ::unlink(path_.c_str());
        }
    }
    bool Create() {
        std::string pattern = (TempFolder() / "OPCXXXXXX.TMP").string();
        const int fd = ::mkostemps(pattern.data(), 4, O_CLOEXEC);
        if (fd < 0) {
            return false;
        }
        fd_.Reset(fd);
        path_ = pattern;
        return true;
    }
    int Fd() const { return fd_.Get(); }

  private:
    UniqueFd fd_;
    std::string path_;
};

// Copies count bytes at offset of in to the end of out.
bool CopyRange(int in, std::uint64_t offset, std::uint64_t count, int out,
               std::vector<unsigned char>& block) {
    while (count > 0) {
        const auto take = static_cast<std::size_t>(std::min<std::uint64_t>(count, block.size()));
        if (ReadFullAt(in, offset, block.data(), take) != take ||
            !WriteAll(out, block.data(), take)) {
            return false;
        }
        offset += take;
        count -= take;
    }
    return true;
}

// Copies a stored member straight from the package, checking its CRC on the way.
MemberOutcome CopyMember(int package, const RecoveredEntry& entry, AtomicFile& output) {
    std::vector<unsigned char> block(kCopyBlock);
    std::uint64_t offset = entry.dataOffset;
    std::uint64_t left = entry.uncompressedSize;
    uLong crc = crc32(0L, Z_NULL, 0);
    while (left > 0) {
        const auto take = static_cast<std::size_t>(std::min<std::uint64_t>(left, block.size()));
        if (ReadFullAt(package, offset, block.data(), take) != take) {
            return MemberOutcome::kPastEnd;
        }
        crc = crc32(crc, block.data(), static_cast<uInt>(take));
        if (!output.Write(block.data(), take)) {
            return IsNoSpaceError(errno) ? MemberOutcome::kNoSpace : MemberOutcome::kOutputFailed;
        }
        offset += take;
        left -= take;
    }
    if (entry.crcKnown && crc != entry.crc32) {
        return MemberOutcome::kCrcMismatch;
    }
    return MemberOutcome::kWritten;
}

// Inflates the raw deflate stream held in temp into output, cut at the uncompressed
// size. The stream must yield at least that many bytes.
MemberOutcome InflateMember(int temp, const RecoveredEntry& entry, AtomicFile& output) {
    z_stream stream{};
    if (inflateInit2(&stream, -15) != Z_OK) {
        return MemberOutcome::kStreamDamaged;
    }
    std::vector<unsigned char> input(kPiece);
    std::vector<unsigned char> produced(kCopyBlock);
    std::uint64_t inputLeft = entry.compressedSize;
    std::uint64_t inputOffset = 0;
    std::uint64_t outputLeft = entry.uncompressedSize;
    uLong crc = crc32(0L, Z_NULL, 0);
    MemberOutcome outcome = MemberOutcome::kWritten;
    while (outputLeft > 0) {
        if (stream.avail_in == 0 && inputLeft > 0) {
            const auto take = static_cast<std::size_t>(std::min<std::uint64_t>(inputLeft, kPiece));
            const std::size_t got = ReadFullAt(temp, inputOffset, input.data(), take);
            if (got == 0) {
                outcome = MemberOutcome::kTempFileFailed;
                break;
            }
            stream.next_in = input.data();
            stream.avail_in = static_cast<uInt>(got);
            inputOffset += got;
            inputLeft -= got;
        }
        const auto room =
            static_cast<std::size_t>(std::min<std::uint64_t>(outputLeft, produced.size()));
        stream.next_out = produced.data();
        stream.avail_out = static_cast<uInt>(room);
        const int result = inflate(&stream, Z_NO_FLUSH);
        const std::size_t made = room - stream.avail_out;
        if (made > 0) {
            crc = crc32(crc, produced.data(), static_cast<uInt>(made));
            if (!output.Write(produced.data(), made)) {
                outcome =
                    IsNoSpaceError(errno) ? MemberOutcome::kNoSpace : MemberOutcome::kOutputFailed;
                break;
            }
            outputLeft -= made;
        }
        if (result == Z_STREAM_END) {
            break;
        }
        if (result != Z_OK) {
            outcome = MemberOutcome::kStreamDamaged;
            break;
        }
    }
    inflateEnd(&stream);
    if (outcome == MemberOutcome::kWritten && outputLeft > 0) {
        outcome = MemberOutcome::kStreamDamaged;  // the stream ended early
    }
    if (outcome == MemberOutcome::kWritten && entry.crcKnown && crc != entry.crc32) {
        outcome = MemberOutcome::kCrcMismatch;
    }
    return outcome;
}

}  // namespace

MemberOutcome ExtractMember(const std::filesystem::path& package,
                            const std::filesystem::path& output, const RecoveredEntry& entry) {
    if (output.empty()) {
        return MemberOutcome::kNoOutputPath;
    }
    const OpenedPackage opened = OpenPackage(package);
    if (!opened.fd.Valid()) {
        return MemberOutcome::kCannotOpen;
    }
    // Nothing is read or allocated for data the file cannot hold.
    if (entry.dataOffset > opened.length ||
        entry.compressedSize > opened.length - entry.dataOffset) {
        return MemberOutcome::kPastEnd;
    }
    const std::uint32_t csize = entry.compressedSize;
    const std::uint32_t usize = entry.uncompressedSize;
    const bool copied = csize != 0 && csize == usize;
    if (!copied && usize > csize * kMaxInflateRatio) {
        return MemberOutcome::kImpossibleSize;
    }

    // A claim the disk cannot hold is refused before a byte is written, so a small
    // package that inflates to gigabytes never fills the user's disk.
    if (usize > FreeSpace(output.parent_path())) {
        return MemberOutcome::kNoSpace;
    }

    AtomicFile file;
    if (copied) {
        if (!file.Open(output)) {
            return MemberOutcome::kOutputFailed;
        }
        const MemberOutcome outcome = CopyMember(opened.fd.Get(), entry, file);
        if (outcome == MemberOutcome::kWritten) {
            return file.Commit() ? MemberOutcome::kWritten : MemberOutcome::kOutputFailed;
        }
        // Deflated data can come out exactly as long as the original. When the copy
        // does not match the recorded CRC, the bytes may be such a stream.
        if (outcome != MemberOutcome::kCrcMismatch) {
            return outcome;
        }
        file.Discard();
    }
    OpcTempFile temp;
    std::vector<unsigned char> block(kCopyBlock);
    if (!temp.Create() || !CopyRange(opened.fd.Get(), entry.dataOffset, csize, temp.Fd(), block)) {
        return MemberOutcome::kTempFileFailed;
    }
    if (!file.Open(output)) {
        return MemberOutcome::kOutputFailed;
    }
    const MemberOutcome outcome = InflateMember(temp.Fd(), entry, file);
    if (outcome != MemberOutcome::kWritten) {
        return copied ? MemberOutcome::kCrcMismatch : outcome;
    }
    return file.Commit() ? MemberOutcome::kWritten : MemberOutcome::kOutputFailed;
}

}  // namespace qff
