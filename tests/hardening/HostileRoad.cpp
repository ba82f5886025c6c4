#include "HostileRoad.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>

#include "PackageReadBack.h"
#include "engine/ExtractEntries.h"
#include "engine/RepairWorkspace.h"
#include "engine/ScanPackage.h"
#include "engine/WritePackage.h"

namespace qff::test {

namespace fs = std::filesystem;

HostileRoad::HostileRoad() {
    if (const char* tmp = std::getenv("TMPDIR")) {
        hadTmpdir_ = true;
        savedTmpdir_ = tmp;
    }
    ::setenv("TMPDIR", dir_.Path().c_str(), 1);
    fs::create_directory(dir_ / "in");
    fs::create_directory(dir_ / "out");
    package_ = dir_ / "in" / "hostile.odf";
    root_ = GetWorkspaceRoot();
    folder_ = root_ / PerFileFolderName(package_, 0);
    output_ = dir_ / "out" / "MENDED_hostile.odf";
}

HostileRoad::~HostileRoad() {
    if (hadTmpdir_) {
        ::setenv("TMPDIR", savedTmpdir_.c_str(), 1);
    } else {
        ::unsetenv("TMPDIR");
    }
}

void HostileRoad::Repair(const Bytes& package) {
    WriteFile(package_, ToString(package));
    table.clear();
    ASSERT_TRUE(ScanPackage(package_, table, running, host));
    ASSERT_EQ(root_, dir_ / "VivUvud");
    ASSERT_TRUE(CreateWorkspaceFolder(root_));
    ASSERT_TRUE(CreateWorkspaceFolder(folder_));
    ExtractEntries(folder_, package_, table, host);
}

bool HostileRoad::Save() {
    return WritePackage(folder_, output_);
}

std::vector<std::string> HostileRoad::Strays() const {
    const fs::path allowed[] = {dir_ / "in", root_, dir_ / "out"};
    std::vector<std::string> strays;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(dir_.Path(), ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const fs::path& p = it->path();
        const bool inside =
            std::any_of(std::begin(allowed), std::end(allowed), [&](const fs::path& a) {
                const fs::path rel = p.lexically_relative(a);
                return !rel.empty() && *rel.begin() != "..";
            });
        if (!inside) {
            strays.push_back(p.lexically_relative(dir_.Path()).generic_string());
        }
    }
    return strays;
}

std::map<std::string, std::string> HostileRoad::SavedMembers() const {
    std::vector<ReadBackMember> members;
    std::string error;
    EXPECT_TRUE(ReadBackPackage(output_, members, error)) << error;
    std::map<std::string, std::string> named;
    for (const auto& m : members) {
        EXPECT_TRUE(named.emplace(m.name, std::string(m.data.begin(), m.data.end())).second)
            << m.name << " is listed twice";
    }
    return named;
}

std::map<std::string, std::string> HostileRoad::FolderFiles() const {
    std::map<std::string, std::string> files;
    for (const std::string& name : FilesBelow(folder_)) {
        files[name] = ReadFile(folder_ / name);
    }
    return files;
}

}  // namespace qff::test
