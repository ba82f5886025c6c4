#include "BenchFiles.h"

#include <zlib.h>

#include <cstdlib>
#include <fstream>
#include <vector>

namespace qff::bench {

namespace {

std::uint64_t Next(std::uint64_t& x) {
    x ^= x << 13;
    x ^= x >> 7;
    x ^= x << 17;
    return x;
}

void Put16(std::string& b, std::uint32_t v) {
    b.push_back(static_cast<char>(v));
    b.push_back(static_cast<char>(v >> 8));
}

void Put32(std::string& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// One local header with its raw deflate data.
std::string Member(const std::string& name, const std::string& text) {
    z_stream s{};
    deflateInit2(&s, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::string data(deflateBound(&s, text.size()), '\0');
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    s.avail_in = static_cast<uInt>(text.size());
    s.next_out = reinterpret_cast<Bytef*>(data.data());
    s.avail_out = static_cast<uInt>(data.size());
    deflate(&s, Z_FINISH);
    data.resize(s.total_out);
    deflateEnd(&s);
    std::string b;
    Put32(b, 0x04034B50);
    Put16(b, 20);
    Put16(b, 0);
    Put16(b, 8);
    Put32(b, 0);
    Put32(b, static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(text.data()),
                                              static_cast<uInt>(text.size()))));
    Put32(b, static_cast<std::uint32_t>(data.size()));
    Put32(b, static_cast<std::uint32_t>(text.size()));
    Put16(b, static_cast<std::uint32_t>(name.size()));
    Put16(b, 0);
    return b + name + data;
}

}  // namespace

std::filesystem::path BenchFolder() {
    const char* dir = std::getenv("QFF_BENCH_DIR");
    std::filesystem::path folder = (dir != nullptr && *dir != '\0')
                                       ? std::filesystem::path(dir)
                                       : std::filesystem::temp_directory_path();
    folder /= "qff-engine-bench";
    std::filesystem::create_directories(folder);
    return folder;
}

std::string XmlLikeText(std::size_t size, std::uint64_t seed) {
    static const char* const kWords[] = {"math:mi",     "math:mo",    "math:mn",
                                         "math:mrow",   "style:name", "office:value",
                                         "config:item", "draw:frame", "svg:width"};
    std::uint64_t x = seed * 2654435761u + 1;
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    while (text.size() < size) {
        const char* word = kWords[Next(x) % 9];
        text += "<";
        text += word;
        text += " value=\"" + std::to_string(Next(x) % 100000) + "\">";
        text += std::to_string(Next(x) % 1000);
        text += "</";
        text += word;
        text += ">\n";
    }
    text.resize(size);
    return text;
}

std::filesystem::path DamagedFile(Filler filler, std::uint64_t size, int members) {
    static const char* const kNames[] = {"random", "zeros", "letter-p"};
    const auto path = BenchFolder() / (std::string("damaged-") + kNames[static_cast<int>(filler)] +
                                       "-" + std::to_string(size) + ".odf");
    if (std::filesystem::exists(path) && std::filesystem::file_size(path) == size) {
        return path;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::vector<std::uint64_t> block(1 << 17);  // 1 MiB
    std::uint64_t x = 0x9E3779B97F4A7C15ull;
    const std::uint64_t gap = size / static_cast<std::uint64_t>(members + 1);
    std::uint64_t written = 0;
    std::uint64_t nextMember = gap;
    int made = 0;
    while (written < size) {
        for (auto& word : block) {
            word = filler == Filler::kRandom  ? Next(x)
                   : filler == Filler::kZeros ? 0
                                              : 0x5050505050505050ull;
        }
        std::string chunk(reinterpret_cast<const char*>(block.data()), block.size() * 8);
        // Members land at their planned offsets; one that would cross the chunk's end
        // waits for the next chunk.
        std::size_t at = 0;
        while (made < members && nextMember < written + chunk.size()) {
            const std::string m =
                Member("Pictures/" + std::to_string(made) + ".xml",
                       XmlLikeText(2000 + (Next(x) % 6000), static_cast<std::uint64_t>(made)));
            const std::size_t planned = nextMember >= written ? nextMember - written : 0;
            const std::size_t offset = std::max<std::size_t>(at, planned);
            if (offset + m.size() > chunk.size()) {
                break;
            }
            chunk.replace(offset, m.size(), m);
            at = offset + m.size();
            ++made;
            nextMember += gap;
        }
        const std::uint64_t take = std::min<std::uint64_t>(chunk.size(), size - written);
        out.write(chunk.data(), static_cast<std::streamsize>(take));
        written += take;
    }
    return path;
}

std::filesystem::path RealisticFolder(std::uint64_t totalBytes) {
    const auto folder = BenchFolder() / ("realistic-" + std::to_string(totalBytes));
    if (std::filesystem::exists(folder / "content.xml")) {
        return folder;
    }
    std::filesystem::create_directories(folder / "Pictures");
    std::filesystem::create_directories(folder / "META-INF");
    std::uint64_t made = 0;
    std::uint64_t x = 12345;
    auto write = [&](const std::filesystem::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
        made += bytes.size();
    };
    write(folder / "mimetype", "application/vnd.oasis.opendocument.formula");
    write(folder / "content.xml", XmlLikeText(totalBytes / 4, 1));
    write(folder / "settings.xml", XmlLikeText(8000, 2));
    write(folder / "META-INF" / "manifest.xml", XmlLikeText(1000, 3));
    for (int i = 0; made < totalBytes; ++i) {
        if (i % 4 == 3) {
            // Pictures are already compressed: random bytes stand in for them.
            std::string picture(50000 + Next(x) % 200000, '\0');
            for (char& c : picture) {
                c = static_cast<char>(Next(x));
            }
            write(folder / "Pictures" / ("image" + std::to_string(i) + ".png"), picture);
        } else {
            write(folder / "Pictures" / ("part" + std::to_string(i) + ".xml"),
                  XmlLikeText(10000 + Next(x) % 100000, static_cast<std::uint64_t>(i) + 10));
        }
    }
    return folder;
}

}  // namespace qff::bench
