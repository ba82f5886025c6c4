#include "engine/FolderListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

namespace qff {

namespace {

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool ListedBefore(const FolderItem& a, const FolderItem& b) {
    const auto folded = [](char x, char y) {
        return static_cast<unsigned char>(FoldAscii(x)) < static_cast<unsigned char>(FoldAscii(y));
    };
    if (std::lexicographical_compare(a.name.begin(), a.name.end(), b.name.begin(), b.name.end(),
                                     folded)) {
        return true;
    }
    if (std::lexicographical_compare(b.name.begin(), b.name.end(), a.name.begin(), a.name.end(),
                                     folded)) {
        return false;
    }
    return a.name < b.name;
}

}  // namespace

std::vector<FolderItem> ListFolder(const std::filesystem::path& folder) {
    std::vector<FolderItem> items;
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return items;
    }
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::fdopendir(fd), ::closedir);
    if (!dir) {
        ::close(fd);
        return items;
    }
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        struct stat info {};
        if (::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
            continue;
        }
        FolderItem item;
        item.name = name;
        item.path = folder / name;
        item.owner = info.st_uid;
        item.kind = S_ISREG(info.st_mode)   ? FolderItem::Kind::kFile
                    : S_ISDIR(info.st_mode) ? FolderItem::Kind::kFolder
                    : S_ISLNK(info.st_mode) ? FolderItem::Kind::kLink
                                            : FolderItem::Kind::kOther;
        items.push_back(std::move(item));
    }
    std::sort(items.begin(), items.end(), ListedBefore);
    return items;
}

}  // namespace qff
