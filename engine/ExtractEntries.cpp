#include "engine/ExtractEntries.h"

#include <climits>

#include "engine/EnsureContentXml.h"
#include "engine/EnsureManifest.h"
#include "engine/FileServices.h"

namespace qff {

void ExtractEntries(const std::filesystem::path& folder, const std::filesystem::path& package,
                    const EntryTable& table, EngineHost& host) {
    const std::size_t count = table.size();
    const auto position = [](std::size_t i) {
        return static_cast<int>(std::min<std::size_t>(i, INT_MAX));
    };
    host.ResetFileEstimate();
    host.SetFileRange(position(count));
    host.SetFilePosition(0);
    for (std::size_t i = 0; i < count; ++i) {
        std::filesystem::path output;
        MakeEntryFolders(folder, table[i].name, output, host);
        // A folder that something else made into a link is never written through.
        if (!output.empty() && NoLinksBelow(folder, output.parent_path())) {
            ExtractMember(package, output, table[i].entry);
        }
        host.SetFilePosition(position(i));
    }
    EnsureContentXml(folder);
    EnsureManifest(folder);
    host.SetFilePosition(position(count));
}

}  // namespace qff
