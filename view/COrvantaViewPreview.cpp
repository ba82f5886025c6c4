// The preview pane: what the view shows for the row the user points at.
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "app/CTarnixListCtrl.h"
#include "view/COrvantaView.h"
#include "view/CPictureBox.h"
#include "view/PathText.h"

namespace qff {

namespace fs = std::filesystem;

namespace {

bool IsPictureExtension(const QString& extension) {
    static const QStringList kPictures = {QStringLiteral("jpg"), QStringLiteral("bmp"),
                                          QStringLiteral("png"), QStringLiteral("gif"),
                                          QStringLiteral("emf"), QStringLiteral("jpeg")};
    return kPictures.contains(extension, Qt::CaseInsensitive);
}

// A folder's entries in the one order used everywhere: by name, ASCII case ignored.
std::vector<fs::directory_entry> SortedEntries(const fs::path& folder) {
    std::vector<fs::directory_entry> entries;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        entries.push_back(*it);
    }
    auto lower = [](const std::string& s) {
        std::string out = s;
        std::transform(out.begin(), out.end(), out.begin(),
                       [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; });
        return out;
    };
    std::sort(entries.begin(), entries.end(), [&](const auto& a, const auto& b) {
        return lower(a.path().filename().native()) < lower(b.path().filename().native());
    });
    return entries;
}

}  // namespace

void COrvantaView::OnPreviewItem(int index) {
    imageFound_ = false;
    if (index < 0 || index >= fileList_->GetItemCount()) {
        return;
    }
    std::error_code ec;
    if (!fs::is_directory(params_.workspaceRoot, ec)) {
        preview_->ShowPreview(QString(), PreviewState::NotRepaired);
        return;
    }
    const fs::path folder = RowFolder(index);
    const fs::path thumbnail = folder / "Thumbnails" / "thumbnail.png";
    if (!folder.empty() && fs::is_regular_file(thumbnail, ec)) {
        preview_->ShowPreview(FromEnginePath(thumbnail), PreviewState::Picture);
        return;
    }
    if (folder.empty() || !FindPreviewImage(FromEnginePath(folder))) {
        preview_->ShowPreview(QString(), PreviewState::NoImage);
        return;
    }
    imageFound_ = false;
}

bool COrvantaView::FindPreviewImage(const QString& folder) {
    for (const fs::directory_entry& entry : SortedEntries(ToEnginePath(folder))) {
        if (imageFound_) {
            break;
        }
        std::error_code ec;
        // Salvaged names never make links, but a folder is never left through one.
        if (entry.is_symlink(ec)) {
            continue;
        }
        const QString name = FromEngineText(entry.path().filename().native());
        if (entry.is_regular_file(ec)) {
            const int dot = name.lastIndexOf(QLatin1Char('.'));
            if (dot >= 0 && IsPictureExtension(name.mid(dot + 1))) {
                preview_->ShowPreview(FromEnginePath(entry.path()), PreviewState::Picture);
                imageFound_ = true;
                break;
            }
        } else if (entry.is_directory(ec)) {
            FindPreviewImage(FromEnginePath(entry.path()));
        }
    }
    return imageFound_;
}

}  // namespace qff
