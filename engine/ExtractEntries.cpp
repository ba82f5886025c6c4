#include "engine/ExtractEntries.h"

#include <climits>

#include "engine/EnsureContentXml.h"
#include "engine/EnsureManifest.h"
#include "engine/FileServices.h"
#include "engine/RepairWorkspace.h"

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
    // A folder that was swapped for a link (or is not ours) is never written into:
    // everything would land wherever the link points.
    if (!IsOwnFolder(folder)) {
        host.SetFilePosition(position(count));
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        std::filesystem::path output;
        MakeEntryFolders(folder, table[i].name, output, host);
        // A folder that something else made into a link is never written through.
        if (!output.empty() && NoLinksBelow(folder, output.parent_path())) {
            if (ExtractMember(package, output, table[i].entry) == MemberOutcome::kNoSpace) {
                host.AppendLogLine(package.string() + " " + table[i].name +
                                       " could not be written: not enough free space....\r\n",
                                   kLogRed);
            }
        }
        host.SetFilePosition(position(i));
    }
    EnsureContentXml(folder);
    EnsureManifest(folder);
    host.SetFilePosition(position(count));
}

}  // namespace qff
