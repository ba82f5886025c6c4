#include "jobs/RepairJob.h"

#include <string>

#include "engine/EntryTable.h"
#include "engine/ExtractEntries.h"
#include "engine/RepairWorkspace.h"
#include "engine/ScanPackage.h"
#include "jobs/JobTexts.h"
#include "jobs/JobView.h"
#include "jobs/PassSteps.h"

namespace qff {

namespace fs = std::filesystem;
using namespace jobtext;

void RepairJob::Start() {
    JobView& view = *params_.view;
    std::error_code ec;
    if (fs::is_directory(params_.workspaceRoot, ec)) {
        // Nothing may hold a salvaged picture open while the folders go.
        view.ShowPreview(JobView::PreviewState::Picture);
        WipeFolder(params_.workspaceRoot);
    }
    view.SetFlag(JobView::Flag::ListRepaired, true);
    view.ShowPreview(JobView::PreviewState::NotRepaired);
    view.ShowHint(JobView::Hint::Repairing);
    view.EnableButton(JobView::Button::RepairFiles, false);
    view.SetFlag(JobView::Flag::RepairEnabled, false);
    view.EnableButton(JobView::Button::RemoveFiles, false);
    view.EnableButton(JobView::Button::Stop, true);
    view.ShowButton(JobView::Button::Stop, true);
    view.EnableButton(JobView::Button::SelectFiles, false);
    view.SetFlag(JobView::Flag::SelectEnabled, false);
    params_.jobRunning->store(1, std::memory_order_relaxed);
    view.ShowPreview(JobView::PreviewState::Repairing);
    view.SetLogText("");
    view.SetFilePosition(0);
    view.SetTotalPosition(0);
}

int RepairJob::Run() {
    JobView& view = *params_.view;
    const int count = view.RowCount();
    const fs::path& root = params_.workspaceRoot;
    // A root that cannot be made (or is not ours) is not reported here: the members
    // then fail one by one and each file still gets its lines.
    CreateWorkspaceFolder(root);

    ShowProgressRowsAndStartTotal(view, true, count);

    for (int i = 0; i < count; ++i) {
        const std::string path = view.RowText(i);
        if (params_.jobRunning->load(std::memory_order_relaxed) == 0) {
            StopRemaining(i, count);
            break;
        }
        RepairFile(i, path, root);
        view.SetTotalPosition(i + 1);
    }
    Finish(count);
    return 1;
}

void RepairJob::RepairFile(int row, const std::string& path, const fs::path& root) {
    JobView& view = *params_.view;
    EntryTable table;
    if (!ScanPackage(path, table, *params_.jobRunning, view)) {
        view.AppendLogLine(path + kExtractionFailed + kEol, kLogBlack);
        // A row repaired by an earlier pass must not keep its tick and mark: its
        // salvage went with the wipe at the start of this pass.
        view.SetRowIcon(row, JobView::RowIcon::Listed);
        view.SetRowMark(row, 0);
        view.SetRowFolder(row, {});
        return;
    }
    const fs::path folder = root / PerFileFolderName(path, static_cast<std::size_t>(row));
    CreateWorkspaceFolder(folder);
    ExtractEntries(folder, path, table, view);
    view.SetRowIcon(row, JobView::RowIcon::Repaired);
    view.SetRowFolder(row, folder);
    view.AppendLogLine(path + kPreviewAvailable + kEol, kLogBlack);
    view.AppendLogLine(path + kRepaired + kEol, kLogGreen);
    view.AppendLogLine(kStarLine, kLogBlack);
    view.SetRowMark(row, 1);
}

void RepairJob::StopRemaining(int from, int count) {
    JobView& view = *params_.view;
    for (int j = from; j < count; ++j) {
        const std::string path = view.RowText(j);
        view.SetRowIcon(j, JobView::RowIcon::NotRepaired);
        view.SetRowFolder(j, {});
        view.AppendLogLine(path + kNotExtractingStopped + kEol, kLogBlack);
        view.AppendLogLine(path + kNotRepaired + kEol, kLogRed);
        view.AppendLogLine(kStarLine, kLogBlack);
        view.SetRowMark(j, 0);
    }
}

void RepairJob::Finish(int count) {
    JobView& view = *params_.view;
    view.SetTotalPosition(count);
    view.ShowPreview(JobView::PreviewState::SelectToPreview);
    view.AppendLogLine(kRepairCompleted + kEol, kLogBlack);
    view.AppendLogLine(kUnderscoreLine, kLogBlack);
    view.EnableButton(JobView::Button::SelectFiles, true);
    view.SetFlag(JobView::Flag::SelectEnabled, true);
    view.ShowButton(JobView::Button::Stop, false);
    view.EnableSaveGroup(true);
    view.SetFlag(JobView::Flag::RepairEnabled, true);
    view.EnableButton(JobView::Button::RepairFiles, true);
    view.EnableButton(JobView::Button::RemoveFiles, true);
    view.ShowHint(JobView::Hint::Repaired);
    params_.jobRunning->store(0, std::memory_order_relaxed);
    HideProgressRows(view);
    view.Relayout();
}

}  // namespace qff
