#include <sys/stat.h>

#include <cerrno>
#include <string>
#include <vector>

#include "engine/ExtractEntries.h"
#include "engine/FileServices.h"

namespace qff {

bool MakeEntryFolders(const std::filesystem::path& folder, const std::string& name,
                      std::filesystem::path& output, EngineHost& host) {
    std::string cleaned;
    cleaned.reserve(name.size());
    for (const char c : name) {
        if (c != ':') {
            cleaned.push_back(c);
        }
    }
    const bool hasSeparator = cleaned.find_first_of("\\/") != std::string::npos;

    // Only plain components survive: nothing can climb out of folder or start over
    // from the root.
    std::vector<std::string> parts;
    std::size_t begin = 0;
    while (begin <= cleaned.size()) {
        std::size_t end = cleaned.find_first_of("\\/", begin);
        if (end == std::string::npos) {
            end = cleaned.size();
        }
        std::string part = cleaned.substr(begin, end - begin);
        if (!part.empty() && part != "." && part != "..") {
            parts.push_back(std::move(part));
        }
        begin = end + 1;
    }

    output.clear();
    if (parts.empty()) {
        return hasSeparator;
    }
    std::filesystem::path path = folder;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        path /= parts[i];
        if (::mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
            // Every folder below this one would fail the same way: one notice per
            // name, however deep it goes.
            host.ShowAppMessage(SystemErrorText(errno), kMbIconInformation);
            break;
        }
    }
    output = path / parts.back();
    return hasSeparator;
}

}  // namespace qff
