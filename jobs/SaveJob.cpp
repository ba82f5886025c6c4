#include "jobs/SaveJob.h"

#include <system_error>

#include "engine/ExtractMedia.h"
#include "engine/RepairWorkspace.h"
#include "engine/WritePackage.h"
#include "jobs/JobTexts.h"
#include "jobs/JobView.h"
#include "jobs/PassSteps.h"

namespace qff {

namespace fs = std::filesystem;
using namespace jobtext;

namespace {

// The destination goes into a notice, which is markup: "<" and "&" must show as
// themselves.
std::string EscapeMarkup(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '<') {
            out += "&lt;";
        } else if (c == '&') {
            out += "&amp;";
        } else {
            out += c;
        }
    }
    return out;
}

// The file name of a row: the part of its full path after the last separator.
std::string FileNameOf(const std::string& rowText) {
    const std::size_t cut = rowText.find_last_of('/');
    return cut == std::string::npos ? rowText : rowText.substr(cut + 1);
}

}  // namespace

int SaveJob::Run() {
    JobView& view = *params_.view;
    const std::string typed = view.DestinationText();
    std::error_code ec;
    if (typed.empty() || !fs::is_directory(typed, ec)) {
        view.ShowAppMessage(kInvalidFolder, kMbIconInformation);
        params_.jobRunning->store(0, std::memory_order_relaxed);
        return 0;
    }
    params_.jobRunning->store(1, std::memory_order_relaxed);
    saved_ = 0;
    view.SetFilePosition(0);
    view.SetTotalPosition(0);
    view.EnableSaveGroup(false);
    view.SetLogText("");
    view.SetFlag(JobView::Flag::SelectEnabled, false);
    view.SetFlag(JobView::Flag::RepairEnabled, false);
    view.EnableButton(JobView::Button::RepairFiles, false);
    view.EnableButton(JobView::Button::RemoveFiles, false);
    view.EnableButton(JobView::Button::SelectFiles, false);
    view.ShowHint(JobView::Hint::Saving);
    view.EnableButton(JobView::Button::Stop, true);
    view.ShowButton(JobView::Button::Stop, true);

    const std::string dest = typed.back() == '/' ? typed : typed + '/';
    const int count = view.RowCount();
    ShowProgressRowsAndStartTotal(view, false, count);

    for (int i = 0; i < count; ++i) {
        const std::string path = view.RowText(i);
        if (view.RowMark(i) != 1) {
            view.AppendLogLine(path + kCannotBeSaved + kEol, kLogRed);
        } else if (params_.jobRunning->load(std::memory_order_relaxed) == 0) {
            StopRemaining(i, count);
            break;
        } else {
            SaveFile(i, path, dest);
        }
        view.AppendLogLine(kStarLine, kLogBlack);
        view.SetTotalPosition(i + 1);
    }

    view.SetTotalPosition(count);
    view.AppendLogLine(kSaveCompleted + kEol, kLogBlack);
    view.AppendLogLine(kUnderscoreLine, kLogBlack);
    view.ShowHint(JobView::Hint::Saved);
    view.ShowButton(JobView::Button::Stop, false);
    view.EnableSaveGroup(true);
    view.SetFlag(JobView::Flag::SelectEnabled, true);
    view.SetFlag(JobView::Flag::RepairEnabled, true);
    view.EnableButton(JobView::Button::RepairFiles, true);
    view.EnableButton(JobView::Button::RemoveFiles, true);
    view.EnableButton(JobView::Button::SelectFiles, true);
    HideProgressRows(view);
    params_.jobRunning->store(0, std::memory_order_relaxed);
    view.Relayout();

    const std::string shown = EscapeMarkup(typed);
    view.ShowViewMessage(kSavedNotice + "'" + shown + "'>" + shown + "</a>", kMbIconInformation);
    return 1;
}

void SaveJob::SaveFile(int row, const std::string& path, const std::string& dest) {
    JobView& view = *params_.view;
    const std::string name = FileNameOf(path);
    fs::path folder = view.RowFolder(row);
    if (folder.empty()) {
        folder = params_.workspaceRoot / PerFileFolderName(path, static_cast<std::size_t>(row));
    }
    view.AppendLogLine(path + kSavingStarts + kEol, kLogBlack);
    // A vanished working folder would give a package without a single member: that
    // is no saved file. The writer itself replaces the output only once it is whole.
    std::error_code ec;
    std::string refusal;  // a format limit the package would cross
    const bool written =
        fs::is_directory(folder, ec) && WritePackage(folder, dest + "MENDED_" + name, &refusal);

    if (view.MediaChecked()) {
        const fs::path media = dest + name + "_MediaContent";
        fs::create_directory(media, ec);
        ExtractMedia(folder, media);
        // Removing succeeds only on an empty folder: that is the test for "no media".
        // rmdir, unlike a general remove, never deletes a file that holds the name.
        if (::rmdir(media.c_str()) == 0) {
            view.AppendLogLine(path + kNoMedia + kEol, kLogBlack);
        } else {
            view.AppendLogLine(path + kMediaDone + kEol, kLogBlack);
        }
    }
    if (written) {
        ++saved_;
        view.AppendLogLine(path + kSavingDone + kEol, kLogGreen);
    } else {
        if (!refusal.empty()) {
            view.AppendLogLine(path + " " + refusal + "...." + kEol, kLogRed);
        }
        view.AppendLogLine(path + kSavingFailed + kEol, kLogRed);
    }
}

void SaveJob::StopRemaining(int from, int count) {
    JobView& view = *params_.view;
    for (int j = from; j < count; ++j) {
        const std::string path = view.RowText(j);
        view.AppendLogLine(path + kNotSavingStopped + kEol, kLogBlack);
        view.AppendLogLine(path + kNotSaved + kEol, kLogRed);
        view.AppendLogLine(kStarLine, kLogBlack);
        view.SetRowMark(j, 0);
    }
}

}  // namespace qff
