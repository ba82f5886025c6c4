#include "engine/ArchiveWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "engine/FileServices.h"
#include "engine/Latin1.h"

namespace qff {

namespace {

constexpr std::size_t kPiece = 16384;           // deflate output and stored copies
constexpr std::size_t kDeflateInput = 1 << 16;  // source reads of deflated members
constexpr std::size_t kLongestName = 259;
constexpr std::size_t kMostMembers = 0xFFFF;
// No ZIP64: every size and offset is 32-bit (the largest value is ArchiveWriter::largest_).
constexpr std::string_view kTooManyMembers = "the package would hold more than 65,535 members";
constexpr std::string_view kMemberTooLarge =
    " is 4 GiB or larger: a package member must stay below 4 GiB";
constexpr std::string_view kPackageTooLarge =
    "the package would reach 4 GiB: a package must stay below 4 GiB";
constexpr std::uint16_t kVersionMadeBy = 0x0B17;
constexpr std::uint16_t kVersionNeeded = 20;
constexpr std::uint16_t kLocalExtraLength = 17;
constexpr std::uint16_t kCentralExtraLength = 9;

// Little-endian field writer over a byte buffer.
class Fields {
  public:
    void U16(std::uint32_t v) {
        bytes_.push_back(static_cast<unsigned char>(v));
        bytes_.push_back(static_cast<unsigned char>(v >> 8));
    }
    void U32(std::uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void Bytes(std::string_view text) { bytes_.insert(bytes_.end(), text.begin(), text.end()); }
    const std::vector<unsigned char>& Data() const { return bytes_; }

  private:
    std::vector<unsigned char> bytes_;
};

bool IsStoredExtension(std::string_view name) {
    static constexpr std::string_view kStored[] = {".Z",   ".zip", ".zoo", ".arc",
                                                   ".lzh", ".arj", ".gz",  ".tgz"};
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) {
        return false;
    }
    const std::string_view extension = name.substr(dot);
    return std::any_of(std::begin(kStored), std::end(kStored),
                       [&](std::string_view s) { return EqualsIgnoringAsciiCase(extension, s); });
}

// A Unix time with its calendar year kept within 1970..2037, time of day unchanged.
std::uint32_t ClampedUnixTime(time_t when) {
    struct tm parts {};
    if (::gmtime_r(&when, &parts) == nullptr) {
        return 0;
    }
    if (parts.tm_year < 70) {
        parts.tm_year = 70;
        parts.tm_mon = 0;
        parts.tm_mday = 1;
    } else if (parts.tm_year > 137) {
        parts.tm_year = 137;
        parts.tm_mon = 11;
        parts.tm_mday = 31;
    }
    return static_cast<std::uint32_t>(::timegm(&parts));
}

// MS-DOS date (high half) and time (low half) of a moment in local time. DOS dates
// start in 1980 and end in 2107; moments outside are pinned to the nearest end.
std::uint32_t DosDateTime(time_t when) {
    struct tm parts {};
    if (::localtime_r(&when, &parts) == nullptr || parts.tm_year < 80) {
        return (1u << 5 | 1u) << 16;  // 1980-01-01 00:00:00
    }
    if (parts.tm_year > 207) {
        parts = tm{};
        parts.tm_year = 207;
        parts.tm_mon = 11;
        parts.tm_mday = 31;
        parts.tm_hour = 23;
        parts.tm_min = 59;
        parts.tm_sec = 58;
    }
    const auto date = static_cast<std::uint32_t>(((parts.tm_year - 80) << 9) |
                                                 ((parts.tm_mon + 1) << 5) | parts.tm_mday);
    const auto time = static_cast<std::uint32_t>((parts.tm_hour << 11) | (parts.tm_min << 5) |
                                                 (parts.tm_sec / 2));
    return (date << 16) | time;
}

// The file's creation time where the file system keeps one, else its modification time.
time_t CreationTime(int fd, const struct stat& info) {
    struct statx extended {};
    if (::statx(fd, "", AT_EMPTY_PATH, STATX_BTIME, &extended) == 0 &&
        (extended.stx_mask & STATX_BTIME) != 0) {
        return static_cast<time_t>(extended.stx_btime.tv_sec);
    }
    return info.st_mtime;
}

}  // namespace

ArchiveWriter::ArchiveWriter() : inBuffer_(kDeflateInput), outBuffer_(kPiece) {}

ArchiveWriter::~ArchiveWriter() {
    if (deflaterReady_) {
        deflateEnd(&deflater_);
    }
}

ZipResult ArchiveWriter::Create(const std::filesystem::path& destination) {
    if (!file_.Open(destination)) {
        return ZipResult::kCannotOpen;
    }
    created_ = true;
    return ZipResult::kOk;
}

ZipResult ArchiveWriter::Refuse(std::string why) {
    sticky_ = ZipResult::kTooLarge;
    refusal_ = std::move(why);
    return sticky_;
}

bool ArchiveWriter::Append(const void* data, std::size_t size) {
    if (!file_.Write(data, size)) {
        sticky_ = ZipResult::kWriteFailed;
        return false;
    }
    position_ += size;
    return true;
}

ZipResult ArchiveWriter::AddFile(const std::string& name, const std::filesystem::path& source) {
    if (!created_) {
        return ZipResult::kBadArgument;
    }
    std::string stored = Utf8ToLatin1(name);
    if (closed_) {
        return ZipResult::kClosed;
    }
    if (sticky_ != ZipResult::kOk) {
        return ZipResult::kFailedEarlier;
    }
    if (stored.empty() || stored.size() > kLongestName) {
        return ZipResult::kBadArgument;
    }
    if (members_.size() >= kMostMembers) {
        return Refuse(std::string(kTooManyMembers));
    }
    std::replace(stored.begin(), stored.end(), '\\', '/');

    const UniqueFd in(::open(source.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    struct stat info {};
    if (!in.Valid() || ::fstat(in.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return ZipResult::kCannotOpen;
    }
    if (static_cast<std::uint64_t>(info.st_size) > largest_) {
        return Refuse(name + std::string(kMemberTooLarge));
    }
    MemberEntry member;
    member.name = stored;
    member.method = IsStoredExtension(stored) ? 0 : 8;
    const bool readOnly = (info.st_mode & S_IWUSR) == 0;
    member.externalAttributes = (readOnly ? 0x81000021u : 0x81800020u);
    const std::uint32_t dos = DosDateTime(info.st_mtime);
    member.dosDate = static_cast<std::uint16_t>(dos >> 16);
    member.dosTime = static_cast<std::uint16_t>(dos & 0xFFFF);
    member.mtime = ClampedUnixTime(info.st_mtime);
    const std::uint32_t atime = ClampedUnixTime(info.st_atime);
    const std::uint32_t ctime = ClampedUnixTime(CreationTime(in.Get(), info));
    const auto size = static_cast<std::uint32_t>(static_cast<std::uint64_t>(info.st_size));
    if (position_ > largest_) {
        return Refuse(std::string(kPackageTooLarge));
    }
    member.headerOffset = static_cast<std::uint32_t>(position_);

    // The local header goes out with provisional values and is rewritten in place
    // once the data is written.
    auto localHeader = [&](std::uint16_t flags, std::uint32_t crc, std::uint32_t csize,
                           std::uint32_t usize) {
        Fields h;
        h.U32(0x04034B50);
        h.U16(kVersionNeeded);
        h.U16(flags);
        h.U16(member.method);
        h.U16(member.dosTime);
        h.U16(member.dosDate);
        h.U32(crc);
        h.U32(csize);
        h.U32(usize);
        h.U16(static_cast<std::uint16_t>(member.name.size()));
        h.U16(kLocalExtraLength);
        h.Bytes(member.name);
        h.U16(0x5455);
        h.U16(13);
        h.Bytes(std::string_view("\x07", 1));
        h.U32(member.mtime);
        h.U32(atime);
        h.U32(ctime);
        return h;
    };
    const Fields provisional = localHeader(0x0008, 0, member.method == 0 ? size : 0, size);
    if (!Append(provisional.Data().data(), provisional.Data().size())) {
        return ZipResult::kWriteFailed;
    }
    const ZipResult data =
        member.method == 0 ? WriteStored(in.Get(), member) : WriteDeflated(in.Get(), member);
    if (sticky_ != ZipResult::kOk) {
        return sticky_;
    }
    if (data != ZipResult::kOk) {
        return data;
    }
    member.flags = member.method == 8 ? 0x0002 : 0x0000;
    const Fields final =
        localHeader(member.flags, member.crc, member.compressedSize, member.uncompressedSize);
    if (!WriteAllAt(file_.Fd(), member.headerOffset, final.Data().data(), final.Data().size())) {
        sticky_ = ZipResult::kWriteFailed;
        return sticky_;
    }
    members_.push_back(std::move(member));
    return ZipResult::kOk;
}

ZipResult ArchiveWriter::WriteStored(int in, MemberEntry& member) {
    uLong crc = crc32(0L, Z_NULL, 0);
    std::uint64_t total = 0;
    while (true) {
        const std::size_t got = ReadFullAt(in, total, inBuffer_.data(), kPiece);
        if (got == 0) {
            break;
        }
        crc = crc32(crc, inBuffer_.data(), static_cast<uInt>(got));
        total += got;
        if (total > largest_) {
            return Refuse(Latin1ToUtf8(member.name) + std::string(kMemberTooLarge));
        }
        if (position_ + got > largest_) {
            return Refuse(std::string(kPackageTooLarge));
        }
        if (!Append(inBuffer_.data(), got)) {
            return ZipResult::kWriteFailed;
        }
    }
    member.crc = static_cast<std::uint32_t>(crc);
    member.compressedSize = static_cast<std::uint32_t>(total);
    member.uncompressedSize = static_cast<std::uint32_t>(total);
    return ZipResult::kOk;
}

ZipResult ArchiveWriter::WriteDeflated(int in, MemberEntry& member) {
    if (!deflaterReady_) {
        if (deflateInit2(&deflater_, 8, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
            return ZipResult::kWriteFailed;
        }
        deflaterReady_ = true;
    } else if (deflateReset(&deflater_) != Z_OK) {
        return ZipResult::kWriteFailed;
    }
    uLong crc = crc32(0L, Z_NULL, 0);
    std::uint64_t readTotal = 0;
    std::uint64_t written = 0;
    int flush = Z_NO_FLUSH;
    int result = Z_OK;
    while (result != Z_STREAM_END) {
        if (deflater_.avail_in == 0 && flush == Z_NO_FLUSH) {
            const std::size_t got = ReadFullAt(in, readTotal, inBuffer_.data(), inBuffer_.size());
            crc = crc32(crc, inBuffer_.data(), static_cast<uInt>(got));
            readTotal += got;
            if (readTotal > largest_) {
                return Refuse(Latin1ToUtf8(member.name) + std::string(kMemberTooLarge));
            }
            deflater_.next_in = inBuffer_.data();
            deflater_.avail_in = static_cast<uInt>(got);
            if (got < inBuffer_.size()) {
                flush = Z_FINISH;
            }
        }
        deflater_.next_out = outBuffer_.data();
        deflater_.avail_out = static_cast<uInt>(outBuffer_.size());
        result = deflate(&deflater_, flush);
        if (result == Z_STREAM_ERROR) {
            return ZipResult::kWriteFailed;
        }
        const std::size_t made = outBuffer_.size() - deflater_.avail_out;
        written += made;
        if (position_ + made > largest_) {
            return Refuse(std::string(kPackageTooLarge));
        }
        if (made > 0 && !Append(outBuffer_.data(), made)) {
            return ZipResult::kWriteFailed;
        }
    }
    member.crc = static_cast<std::uint32_t>(crc);
    member.compressedSize = static_cast<std::uint32_t>(written);
    member.uncompressedSize = static_cast<std::uint32_t>(readTotal);
    return ZipResult::kOk;
}

ZipResult ArchiveWriter::Close() {
    if (!created_) {
        return ZipResult::kBadArgument;
    }
    if (closed_) {
        return ZipResult::kClosed;
    }
    closed_ = true;
    if (sticky_ != ZipResult::kOk) {
        file_.Discard();
        return sticky_;
    }
    Fields directory;
    for (const MemberEntry& m : members_) {
        directory.U32(0x02014B50);
        directory.U16(kVersionMadeBy);
        directory.U16(kVersionNeeded);
        directory.U16(m.flags);
        directory.U16(m.method);
        directory.U16(m.dosTime);
        directory.U16(m.dosDate);
        directory.U32(m.crc);
        directory.U32(m.compressedSize);
        directory.U32(m.uncompressedSize);
        directory.U16(static_cast<std::uint16_t>(m.name.size()));
        directory.U16(kCentralExtraLength);
        directory.U16(0);  // comment length
        directory.U16(0);  // disk number start
        directory.U16(0);  // internal attributes
        directory.U32(m.externalAttributes);
        directory.U32(m.headerOffset);
        directory.Bytes(m.name);
        directory.U16(0x5455);
        directory.U16(5);
        directory.Bytes(std::string_view("\x07", 1));
        directory.U32(m.mtime);
    }
    const std::uint64_t directoryOffset = position_;
    const std::uint64_t directorySize = directory.Data().size();
    if (directoryOffset + directorySize > largest_) {
        file_.Discard();
        return Refuse(std::string(kPackageTooLarge));
    }
    Fields end;
    end.U32(0x06054B50);
    end.U16(0);
    end.U16(0);
    end.U16(static_cast<std::uint32_t>(members_.size()));
    end.U16(static_cast<std::uint32_t>(members_.size()));
    end.U32(static_cast<std::uint32_t>(directorySize));
    end.U32(static_cast<std::uint32_t>(directoryOffset));
    end.U16(0);
    if (!Append(directory.Data().data(), directory.Data().size()) ||
        !Append(end.Data().data(), end.Data().size()) || !file_.Commit()) {
        file_.Discard();
        return ZipResult::kWriteFailed;
    }
    members_.clear();
    return ZipResult::kOk;
}

}  // namespace qff
