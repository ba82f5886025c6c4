#include "PackageFixture.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace qff::test {

namespace fs = std::filesystem;

namespace {

void Put16(std::string& out, unsigned v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::uint32_t Get16(const std::string& s, std::size_t at) {
    return static_cast<std::uint8_t>(s[at]) | (static_cast<std::uint8_t>(s[at + 1]) << 8);
}

std::uint32_t Get32(const std::string& s, std::size_t at) {
    return Get16(s, at) | (Get16(s, at + 2) << 16);
}

std::string RawDeflate(const std::string& data) {
    z_stream z{};
    deflateInit2(&z, 8, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, data.size()) + 16, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

std::optional<std::string> RawInflate(const std::string& data, std::size_t size) {
    std::string out(size, '\0');
    z_stream z{};
    inflateInit2(&z, -15);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(&z, Z_FINISH);
    const bool ok = rc == Z_STREAM_END && z.total_out == size;
    inflateEnd(&z);
    return ok ? std::optional<std::string>(out) : std::nullopt;
}

std::uint32_t Crc(const std::string& data) {
    return static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

// One central directory record; fields are the 26 bytes from "version needed" to
// "extra length", as in the local header but with the real CRC and sizes.
void AppendCentralRecord(std::string& central, const std::string& fields, const std::string& name,
                         std::uint32_t offset) {
    central += "PK\1\2";
    Put16(central, 20);  // version made by
    central += fields;
    Put16(central, 0);  // comment length
    Put16(central, 0);  // disk
    Put16(central, 0);  // internal attributes
    Put32(central, 0);  // external attributes
    Put32(central, offset);
    central += name;
}

void AppendCentralAndEnd(std::string& out, const std::string& central, std::size_t count) {
    const std::uint32_t centralAt = static_cast<std::uint32_t>(out.size());
    out += central;
    out += "PK\5\6";
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<unsigned>(count));
    Put16(out, static_cast<unsigned>(count));
    Put32(out, static_cast<std::uint32_t>(central.size()));
    Put32(out, centralAt);
    Put16(out, 0);
}

}  // namespace

std::string BuildPackage(const std::vector<Member>& members) {
    std::string out;
    std::string central;
    for (const Member& m : members) {
        const std::string stored = m.deflate ? RawDeflate(m.data) : m.data;
        const std::uint32_t offset = static_cast<std::uint32_t>(out.size());
        std::string fields;
        Put16(fields, 20);                 // version needed
        Put16(fields, 0);                  // flags
        Put16(fields, m.deflate ? 8 : 0);  // method
        Put16(fields, 0x6000);             // time
        Put16(fields, 0x5A21);             // date
        Put32(fields, Crc(m.data));
        Put32(fields, static_cast<std::uint32_t>(stored.size()));
        Put32(fields, static_cast<std::uint32_t>(m.data.size()));
        Put16(fields, static_cast<unsigned>(m.name.size()));
        Put16(fields, 0);  // extra length
        out += "PK\3\4" + fields + m.name + stored;

        AppendCentralRecord(central, fields, m.name, offset);
    }
    AppendCentralAndEnd(out, central, members.size());
    return out;
}

std::string BuildStreamingPackage(const std::vector<Member>& members) {
    std::string out;
    std::string central;
    std::size_t count = 0;
    for (const Member& m : members) {
        if (!m.name.empty() && m.name.back() == '/') {
            continue;
        }
        ++count;
        const std::string stored = RawDeflate(m.data);
        const std::uint32_t offset = static_cast<std::uint32_t>(out.size());
        std::string head;
        Put16(head, 20);      // version needed
        Put16(head, 0x0008);  // flags: sizes in the data descriptor
        Put16(head, 8);       // method
        Put16(head, 0x6000);  // time
        Put16(head, 0x5A21);  // date
        std::string sizes;
        Put32(sizes, Crc(m.data));
        Put32(sizes, static_cast<std::uint32_t>(stored.size()));
        Put32(sizes, static_cast<std::uint32_t>(m.data.size()));
        std::string names;
        Put16(names, static_cast<unsigned>(m.name.size()));
        Put16(names, 0);
        out += "PK\3\4" + head + std::string(12, '\0') + names + m.name + stored;
        out += "PK\7\x08" + sizes;

        AppendCentralRecord(central, head + sizes + names, m.name, offset);
    }
    AppendCentralAndEnd(out, central, count);
    return out;
}

std::vector<Member> FormulaMembers(const std::string& formula, bool pictures) {
    std::string content =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<math xmlns=\"http://www.w3.org/1998/Math/MathML\" display=\"block\"><semantics>"
        "<mrow><mi>x</mi><mo>=</mo><mn>1</mn></mrow>"
        "<annotation encoding=\"StarMath 5.0\">" +
        formula + "</annotation></semantics></math>\n";
    std::vector<Member> members = {
        {"mimetype", "application/vnd.oasis.opendocument.formula", false},
        {"content.xml", content, true},
        {"META-INF/manifest.xml",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<manifest:manifest "
         "xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\">"
         "<manifest:file-entry manifest:full-path=\"/\" "
         "manifest:media-type=\"application/vnd.oasis.opendocument.formula\"/>"
         "</manifest:manifest>\n",
         true},
    };
    if (pictures) {
        members.push_back({"Thumbnails/thumbnail.png", "\x89PNG thumbnail of " + formula, true});
        members.push_back({"Pictures/diagram.JPG", "JPEG bytes of " + formula, false});
    }
    return members;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::optional<std::map<std::string, std::string>> ReadPackage(const fs::path& path) {
    const std::string zip = ReadFile(path);
    if (zip.size() < 22 || zip.compare(zip.size() - 22, 4, "PK\5\6") != 0) {
        return std::nullopt;
    }
    const std::size_t end = zip.size() - 22;
    const std::uint32_t count = Get16(zip, end + 10);
    std::size_t at = Get32(zip, end + 16);
    std::map<std::string, std::string> members;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (at + 46 > end || zip.compare(at, 4, "PK\1\2") != 0) {
            return std::nullopt;
        }
        const std::uint32_t method = Get16(zip, at + 10);
        const std::uint32_t crc = Get32(zip, at + 16);
        const std::uint32_t csize = Get32(zip, at + 20);
        const std::uint32_t usize = Get32(zip, at + 24);
        const std::uint32_t nlen = Get16(zip, at + 28);
        const std::uint32_t elen = Get16(zip, at + 30);
        const std::uint32_t clen = Get16(zip, at + 32);
        const std::uint32_t local = Get32(zip, at + 42);
        const std::string name = zip.substr(at + 46, nlen);
        at += 46 + nlen + elen + clen;
        // With flag bit 3 the local header leaves CRC and sizes to a data descriptor.
        const bool streamed = local + 30 <= zip.size() && (Get16(zip, local + 6) & 0x8) != 0;
        if (local + 30 > zip.size() || zip.compare(local, 4, "PK\3\4") != 0 ||
            (!streamed && Get32(zip, local + 14) != crc) || Get16(zip, local + 26) != nlen ||
            zip.compare(local + 30, nlen, name) != 0) {
            return std::nullopt;
        }
        const std::size_t data = local + 30 + nlen + Get16(zip, local + 28);
        if (data + csize > zip.size()) {
            return std::nullopt;
        }
        std::optional<std::string> bytes = zip.substr(data, csize);
        if (method == 8) {
            bytes = RawInflate(*bytes, usize);
        } else if (method != 0 || csize != usize) {
            return std::nullopt;
        }
        if (!bytes || Crc(*bytes) != crc) {
            return std::nullopt;
        }
        members[name] = *bytes;
    }
    return members;
}

std::map<std::string, std::string> ReadTree(const fs::path& folder) {
    std::map<std::string, std::string> files;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file()) {
            files[fs::relative(it->path(), folder).generic_string()] = ReadFile(it->path());
        }
    }
    return files;
}

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "qff-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

LockedFile::LockedFile(const fs::path& path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0 || ::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        throw std::runtime_error("cannot lock " + path.string());
    }
}

LockedFile::~LockedFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

}  // namespace qff::test
