// The commands of the main view: the file list, the destination and save, and the
// passes.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QSet>
#include <QThread>
#include <QTreeWidgetItem>

#include "app/CTarnixListCtrl.h"
#include "app/CXEditPrompt.h"
#include "app/ShowAppMessage.h"
#include "engine/EngineHost.h"
#include "engine/RepairWorkspace.h"
#include "feedback/ActivityLog.h"
#include "feedback/HintBox.h"
#include "jobs/RepairJob.h"
#include "jobs/SaveJob.h"
#include "view/COrvantaView.h"
#include "view/CPictureBox.h"
#include "view/FileDialogs.h"
#include "view/PathText.h"
#include "view/ViewHost.h"

namespace qff {

namespace {

// Where a row keeps its working folder, as the engine's bytes.
constexpr int kFolderRole = Qt::UserRole + 16;
// What the dialog and a drop hand over is at most this long (a buffer of 520
// characters with its terminating zero).
constexpr int kMaxDroppedPath = 519;

const QString kStartLog = QStringLiteral("Click Select files to select .odf file(s) to repair....");

void Notice(const QString& text) {
    ShowAppMessage(nullptr, text, kMbIconInformation);
}

}  // namespace

std::filesystem::path COrvantaView::RowFolder(int row) const {
    QTreeWidgetItem* item = fileList_->topLevelItem(row);
    if (item == nullptr) {
        return {};
    }
    return std::filesystem::path(item->data(0, kFolderRole).toByteArray().toStdString());
}

void COrvantaView::SetRowFolder(int row, const std::filesystem::path& folder) {
    if (QTreeWidgetItem* item = fileList_->topLevelItem(row)) {
        item->setData(0, kFolderRole, QByteArray::fromStdString(folder.native()));
    }
}

void COrvantaView::AddRow(const QString& path) {
    fileList_->InsertItem(fileList_->GetItemCount(), path, 2);
}

bool COrvantaView::IsNotInList(const QString& path) const {
    bool notInList = true;
    for (int i = 0; i < fileList_->GetItemCount(); ++i) {
        if (QString::compare(fileList_->GetItemText(i), path, Qt::CaseInsensitive) == 0) {
            notInList = false;
        }
    }
    return notInList;
}

void COrvantaView::OnSelectFiles() {
    const QStringList names = FileDialogs::Current().GetOpenFileNames(this);
    if (names.isEmpty()) {
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (IsOwnFolder(params_.workspaceRoot)) {
        preview_->ShowPreview(QString(), PreviewState::Picture);
        WipeFolder(params_.workspaceRoot);
    }
    if (listRepaired_ != 0) {
        fileList_->DeleteAllItems();
        listRepaired_ = 0;
    }
    log_->SetLogText(QStringLiteral("Select .odf file(s) to Repair...."));
    preview_->ShowPreview(QString(), PreviewState::SelectToRepair);

    // The same test as IsNotInList, kept in a set so that hundreds of names take no
    // longer than a few.
    QSet<QString> listed;
    for (int i = 0; i < fileList_->GetItemCount(); ++i) {
        listed.insert(fileList_->GetItemText(i).toCaseFolded());
    }
    QStringList duplicates;
    for (const QString& name : names) {
        const QString key = name.toCaseFolded();
        if (listed.contains(key)) {
            duplicates << name;
            continue;
        }
        listed.insert(key);
        AddRow(name);
    }
    SetRepairEnabled(true);
    repairButton_->setEnabled(true);
    removeButton_->setEnabled(true);
    QApplication::restoreOverrideCursor();

    for (const QString& name : duplicates) {
        Notice(EscapeMarkup(name) + QStringLiteral(" already exist in the list."));
    }
}

void COrvantaView::RemoveRowFolder(int row) {
    const std::filesystem::path folder = RowFolder(row);
    // Only ever a folder inside the workspace, whatever a row says.
    if (folder.empty() || folder.parent_path() != params_.workspaceRoot) {
        return;
    }
    WipeFolder(folder);
}

void COrvantaView::OnRemoveFiles() {
    if (fileList_->GetSelectedItems().isEmpty()) {
        Notice(QStringLiteral("No file(s) selected to remove."));
        return;
    }
    for (QList<int> selected = fileList_->GetSelectedItems(); !selected.isEmpty();
         selected = fileList_->GetSelectedItems()) {
        const int row = selected.first();
        preview_->ShowPreview(QString(), PreviewState::Picture);
        RemoveRowFolder(row);
        fileList_->DeleteItem(row);
    }
    if (fileList_->GetItemCount() == 0) {
        preview_->ShowPreview(QString(), PreviewState::Picture);
        WipeFolder(params_.workspaceRoot);
        destination_->SetText(QString(""));
        EnableSaveGroup(false);
        SetRepairEnabled(false);
        repairButton_->setEnabled(false);
        removeButton_->setEnabled(false);
        preview_->ShowPreview(QString(), PreviewState::NoFiles);
        log_->SetLogText(kStartLog);
        hint_->ShowHint(HintBox::HintStart, HintBox::StartForm::AfterRemoval);
        return;
    }
    preview_->ShowPreview(QString(), PreviewState::SelectToPreview);
}

void COrvantaView::AddDroppedFiles(const QStringList& paths) {
    for (const QString& dropped : paths) {
        const QString path = dropped.left(kMaxDroppedPath).trimmed();
        if (path.contains(QStringLiteral(".odf"), Qt::CaseSensitive)) {
            AddRow(path);
        }
    }
}

void COrvantaView::OnBrowseFolder() {
    const QString chosen = FileDialogs::Current().GetExistingFolder(this).trimmed();
    if (!chosen.isEmpty() && QFileInfo(chosen).isDir()) {
        destination_->SetText(QDir::toNativeSeparators(chosen));
    }
}

void COrvantaView::OnSaveFiles() {
    // A pass that was stopped is still finishing its file; a save started a moment ago
    // has not yet claimed jobRunning. Neither may be joined by a second pass.
    if (host_->JobRunning().load(std::memory_order_relaxed) != 0 || PassActive()) {
        Notice(QStringLiteral("Please stop the running process before saving the file(s)."));
        return;
    }
    const JobParams params = params_;
    StartPass([params] { SaveJob(params).Run(); });
}

void COrvantaView::OnRepairFiles() {
    if (PassActive()) {
        // The previous pass has restored the buttons but its thread has not yet ended.
        QApplication::beep();
        return;
    }
    auto job = std::make_shared<RepairJob>(params_);
    job->Start();
    StartPass([job] { job->Run(); });
}

void COrvantaView::OnStop() {
    ConfirmStop(params_);
}

void COrvantaView::OnExit() {
    host_->CloseFrame();
}

void COrvantaView::StartPass(std::function<void()> work) {
    passThread_ = QThread::create(std::move(work));
    passThread_->setObjectName(QStringLiteral("PassWorker"));
    connect(passThread_, &QThread::finished, this, &COrvantaView::PassThreadEnded);
    passThread_->start();
}

void COrvantaView::PassThreadEnded() {
    if (passThread_ != nullptr) {
        passThread_->deleteLater();
        passThread_ = nullptr;
    }
    emit commandStateChanged();
    emit passFinished();
}

}  // namespace qff
