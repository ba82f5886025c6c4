#include "engine/EnsureManifest.h"

#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <string_view>
#include <vector>

#include "engine/AtomicFile.h"
#include "engine/FileServices.h"
#include "engine/FolderListing.h"
#include "engine/Latin1.h"

namespace qff {

namespace {

constexpr std::string_view kManifestPath = "META-INF/manifest.xml";
// A manifest is a few kilobytes; anything far larger is not one worth keeping whole.
constexpr std::uintmax_t kLargestManifest = 16u << 20;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view MediaTypeOf(std::string_view name) {
    static constexpr std::pair<std::string_view, std::string_view> kTypes[] = {
        {"xml", "text/xml"},
        {"rdf", "application/rdf+xml"},
        {"png", "image/png"},
        {"jpg", "image/jpeg"},
        {"jpeg", "image/jpeg"},
        {"gif", "image/gif"},
        {"bmp", "image/bmp"},
        {"svg", "image/svg+xml"},
        {"emf", "image/x-emf"},
        {"wmf", "image/x-wmf"},
        {"tif", "image/tiff"},
        {"tiff", "image/tiff"},
        {"odf", "application/vnd.oasis.opendocument.formula"},
    };
    const std::size_t dot = name.rfind('.');
    const std::size_t slash = name.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
        return "";
    }
    const std::string_view extension = name.substr(dot + 1);
    for (const auto& [known, type] : kTypes) {
        if (EqualsIgnoringAsciiCase(extension, known)) {
            return type;
        }
    }
    return "";
}

std::string EscapeAttribute(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = lead < 0x80                      ? 1
                                   : (lead >= 0xC2 && lead <= 0xDF) ? 2
                                   : (lead >= 0xE0 && lead <= 0xEF) ? 3
                                   : (lead >= 0xF0 && lead <= 0xF4) ? 4
                                                                    : 0;
        if (length == 0 || i + length > bytes.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

// Member names (as they will stand in the package, "/" separated) of every file below
// folder, in listing order.
void CollectFiles(const std::filesystem::path& folder, const std::string& prefix,
                  std::vector<std::string>& names) {
    for (const FolderItem& item : ListFolder(folder)) {
        if (item.kind == FolderItem::Kind::kFolder) {
            CollectFiles(item.path, prefix + item.name + "/", names);
        } else if (item.kind == FolderItem::Kind::kFile) {
            names.push_back(prefix + item.name);
        }
    }
}

std::string MinimalManifest(const std::filesystem::path& folder) {
    std::vector<std::string> files;
    CollectFiles(folder, "", files);
    std::ostringstream xml;
    xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<manifest:manifest "
           "xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\">\n"
           " <manifest:file-entry manifest:full-path=\"/\" "
           "manifest:media-type=\"application/vnd.oasis.opendocument.formula\"/>\n";
    for (const std::string& file : files) {
        if (file == kManifestPath || file == "mimetype") {
            continue;
        }
        // The package stores the on-disk characters back as single bytes; the
        // manifest must name those bytes, which office suites read as UTF-8.
        const std::string stored = Utf8ToLatin1(file);
        if (!IsValidUtf8(stored)) {
            continue;
        }
        xml << " <manifest:file-entry manifest:full-path=\"" << EscapeAttribute(stored)
            << "\" manifest:media-type=\"" << MediaTypeOf(stored) << "\"/>\n";
    }
    xml << "</manifest:manifest>\n";
    return xml.str();
}

}  // namespace

bool IsCompleteManifest(const std::string& text) {
    // Skip the prolog: declaration, processing instructions, comments, doctype.
    std::size_t at = 0;
    while (true) {
        while (at < text.size() && IsSpace(text[at])) {
            ++at;
        }
        if (text.compare(at, 2, "<?") == 0) {
            at = text.find("?>", at);
        } else if (text.compare(at, 4, "<!--") == 0) {
            at = text.find("-->", at);
        } else if (text.compare(at, 2, "<!") == 0) {
            at = text.find('>', at);
        } else {
            break;
        }
        if (at == std::string::npos) {
            return false;
        }
        at = text.find('>', at) + 1;
    }
    if (at >= text.size() || text[at] != '<') {
        return false;
    }
    std::size_t nameEnd = at + 1;
    while (nameEnd < text.size() && !IsSpace(text[nameEnd]) && text[nameEnd] != '>' &&
           text[nameEnd] != '/') {
        ++nameEnd;
    }
    const std::string qname = text.substr(at + 1, nameEnd - at - 1);
    const std::size_t colon = qname.find(':');
    const std::string local = colon == std::string::npos ? qname : qname.substr(colon + 1);
    if (local != "manifest") {
        return false;
    }
    std::size_t end = text.size();
    while (end > 0 && IsSpace(text[end - 1])) {
        --end;
    }
    const std::string closing = "</" + qname + ">";
    if (end >= closing.size() && text.compare(end - closing.size(), closing.size(), closing) == 0) {
        return true;
    }
    // A root with no children closes itself.
    const std::size_t close = text.find('>', nameEnd);
    return close != std::string::npos && close + 1 == end && text[close - 1] == '/';
}

bool EnsureManifest(const std::filesystem::path& folder) {
    const std::filesystem::path path = folder / "META-INF" / "manifest.xml";
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
        static_cast<std::uintmax_t>(info.st_size) <= kLargestManifest) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        if (IsCompleteManifest(text.str())) {
            return true;
        }
    }
    ::mkdir((folder / "META-INF").c_str(), 0755);
    if (IsSymlink(folder / "META-INF")) {
        return false;
    }
    AtomicFile file;
    const std::string manifest = MinimalManifest(folder);
    return file.Open(path) && file.Write(manifest.data(), manifest.size()) && file.Commit();
}

}  // namespace qff
