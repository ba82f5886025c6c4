#pragma once

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>

#include "jobs/JobParams.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QThread;

namespace qff {

class ActivityLog;
class CEstProgressCtrl;
class CPictureBox;
class CTarnixListCtrl;
class CXEditPrompt;
class HintBox;
class ViewHost;
class ViewJobBridge;

// The one view of the main frame: the file list, the command buttons, the destination
// edit, the media check box, the preview, the activity log, the hint box and the two
// progress rows. It lays them out on every size change, paints the background
// artwork, and runs the repair and save passes on a worker thread through a bridge
// that carries out each of the pass's calls on this thread while the worker waits.
//
// Every control has an object name ("SelectFiles", "RemoveFiles", "RepairFiles",
// "Save", "Stop", "Exit", "Browse", "Destination", "ExtractMedia", "FileList",
// "Preview", "ActivityLog", "HintBox", "FileProgress", "TotalProgress", and the labels
// "DestinationLabel", "PreviewLabel", "FileProgressLabel", "TotalProgressLabel").
class COrvantaView : public QWidget {
    Q_OBJECT

  public:
    explicit COrvantaView(ViewHost* host, QWidget* parent = nullptr);
    ~COrvantaView() override;

    // --- Commands ---------------------------------------------------------------
    void OnSelectFiles();
    void OnRemoveFiles();
    void OnRepairFiles();
    void OnSaveFiles();
    void OnBrowseFolder();
    void OnStop();
    void OnExit();

    // The preview of a list row (the list asks after a click or a key on a row).
    void OnPreviewItem(int index);
    // Depth-first search of a folder for the first picture file in name order; shows
    // it and returns true when one was found.
    bool FindPreviewImage(const QString& folder);

    // True when no row's text equals path, compared without regard to case.
    bool IsNotInList(const QString& path) const;

    // Adds dropped paths as a drop does: trimmed, kept only when they contain ".odf".
    void AddDroppedFiles(const QStringList& paths);

    // --- State ------------------------------------------------------------------
    void EnableSaveGroup(bool enable);
    void ShowProgressRows(bool show);
    // Lays the controls out for the current size and visible progress rows.
    void Relayout();

    bool SelectEnabled() const { return selectEnabled_ != 0; }
    bool RepairEnabled() const { return repairEnabled_ != 0; }
    bool SaveEnabled() const { return saveEnabled_ != 0; }
    bool ListRepaired() const { return listRepaired_ != 0; }
    void SetSelectEnabled(bool on);
    void SetRepairEnabled(bool on);
    void SetListRepaired(bool on) { listRepaired_ = on ? 1 : 0; }

    // True from the start of a pass until its worker thread has ended. A stopped pass
    // is still active while it finishes the file it was working on.
    bool PassActive() const { return passThread_ != nullptr; }

    // The frame's close step: blanks the preview and wipes the workspace.
    void WipeWorkspaceForClose();

    std::filesystem::path WorkspaceRoot() const;

    // The working folder the last repair pass made for a row (empty when none). It
    // travels with the row, so removing earlier rows never mixes up salvages.
    std::filesystem::path RowFolder(int row) const;
    void SetRowFolder(int row, const std::filesystem::path& folder);

    // Controls, for the bridge to the passes.
    CTarnixListCtrl* FileList() const { return fileList_; }
    ActivityLog* Log() const { return log_; }
    HintBox* Hints() const { return hint_; }
    CPictureBox* Preview() const { return preview_; }
    CEstProgressCtrl* FileBar() const { return fileBar_; }
    CEstProgressCtrl* TotalBar() const { return totalBar_; }
    CXEditPrompt* Destination() const { return destination_; }
    QCheckBox* MediaBox() const { return media_; }
    QPushButton* SelectButton() const { return selectButton_; }
    QPushButton* RemoveButton() const { return removeButton_; }
    QPushButton* RepairButton() const { return repairButton_; }
    QPushButton* StopButton() const { return stopButton_; }
    QLabel* FileProgressLabel() const { return fileLabel_; }
    QLabel* TotalProgressLabel() const { return totalLabel_; }

  signals:
    // A command flag changed: the frame refreshes its menu and toolbar.
    void commandStateChanged();
    // The worker of a pass has ended.
    void passFinished();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void CreateControls();
    QPushButton* MakeButton(const QString& name, const QString& text, const QString& tip,
                            const QString& picture);
    QLabel* MakeLabel(const QString& name, const QString& text, const QFont& font);
    void WatchForStatusText(QWidget* control);
    void UpdateListBackground(int width, int height);
    void StartPass(std::function<void()> work);
    void PassThreadEnded();
    void AddRow(const QString& path);
    void RemoveRowFolder(int row);

    ViewHost* host_;
    std::unique_ptr<ViewJobBridge> bridge_;
    JobParams params_;
    QThread* passThread_ = nullptr;

    QFont labelFont_;
    QFont bodyFont_;
    QImage header_, headerFill_, footerBand_, footerCorner_;
    QSize listBackgroundSize_;

    CTarnixListCtrl* fileList_ = nullptr;
    QPushButton* selectButton_ = nullptr;
    QPushButton* removeButton_ = nullptr;
    QPushButton* repairButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QPushButton* browseButton_ = nullptr;
    QLabel* destinationLabel_ = nullptr;
    QLabel* previewLabel_ = nullptr;
    QLabel* fileLabel_ = nullptr;
    QLabel* totalLabel_ = nullptr;
    CPictureBox* preview_ = nullptr;
    ActivityLog* log_ = nullptr;
    HintBox* hint_ = nullptr;
    CXEditPrompt* destination_ = nullptr;
    QCheckBox* media_ = nullptr;
    CEstProgressCtrl* fileBar_ = nullptr;
    CEstProgressCtrl* totalBar_ = nullptr;

    int selectEnabled_ = 0;
    int repairEnabled_ = 0;
    int saveEnabled_ = 0;
    int listRepaired_ = 0;
    bool imageFound_ = false;
};

}  // namespace qff
