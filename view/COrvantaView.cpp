#include "view/COrvantaView.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QThread>
#include <QUrl>
#include <algorithm>

#include "app/CTarnixListCtrl.h"
#include "app/CXEditPrompt.h"
#include "engine/RepairWorkspace.h"
#include "feedback/ActivityLog.h"
#include "feedback/CEstProgressCtrl.h"
#include "feedback/HintBox.h"
#include "res/Artwork.h"
#include "view/CPictureBox.h"
#include "view/PathText.h"
#include "view/ViewHost.h"
#include "view/ViewJobBridge.h"
#include "view/ViewLayout.h"

namespace qff {

namespace {

const QColor kPanelColour(252, 230, 154);

// The heights of the view's fonts are cell heights (ascent plus descent), as the
// layout was drawn for; the toolkit sizes a font by its em, so convert.
QFont MakeFont(const QString& family, int cellHeight, int weight, QFont::StyleHint hint) {
    QFont font(family);
    font.setStyleHint(hint);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setPixelSize(cellHeight);
    const int measured = QFontMetrics(font).height();
    if (measured > cellHeight) {
        font.setPixelSize(std::max(1, cellHeight * cellHeight / measured));
    }
    return font;
}

// A label's text must fit its fixed rectangle: a smaller size of the same font where
// the text would be cut.
void FitLabel(QLabel* label, const QFont& font) {
    QFont fitted = font;
    const int width = label->width();
    while (fitted.pixelSize() > 9 &&
           QFontMetrics(fitted).horizontalAdvance(label->text()) > width) {
        fitted.setPixelSize(fitted.pixelSize() - 1);
    }
    label->setFont(fitted);
}

}  // namespace

COrvantaView::COrvantaView(ViewHost* host, QWidget* parent)
    : QWidget(parent), host_(host), bridge_(std::make_unique<ViewJobBridge>(*this)) {
    setObjectName(QStringLiteral("MainView"));
    // The view paints every pixel itself; nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setAcceptDrops(true);
    labelFont_ = MakeFont(QStringLiteral("Arial"), 16, 700, QFont::SansSerif);
    bodyFont_ = MakeFont(QStringLiteral("Times New Roman"), 18, 400, QFont::Serif);
    header_ = artwork::Render(QStringLiteral("header"));
    headerFill_ = artwork::Render(QStringLiteral("header_fill"));
    footerBand_ = artwork::Render(QStringLiteral("footer_band"));
    footerCorner_ = artwork::Render(QStringLiteral("footer_corner"));

    params_.view = bridge_.get();
    params_.jobRunning = &host_->JobRunning();
    params_.workspaceRoot = GetWorkspaceRoot();

    CreateControls();

    EnableSaveGroup(false);
    SetRepairEnabled(false);
    repairButton_->setEnabled(false);
    removeButton_->setEnabled(false);
    stopButton_->hide();

    media_->setChecked(true);
    if (IsOwnFolder(params_.workspaceRoot)) {
        // Left over from an earlier run.
        preview_->ShowPreview(QString(), PreviewState::Picture);
        WipeFolder(params_.workspaceRoot);
    }
    selectButton_->setEnabled(true);
    SetSelectEnabled(true);
    ShowProgressRows(false);
}

COrvantaView::~COrvantaView() {
    // The frame refuses to close while a pass runs; should the view go anyway, the pass
    // is asked to stop and allowed to finish, its calls still carried out meanwhile.
    if (passThread_ != nullptr) {
        host_->JobRunning().store(0, std::memory_order_relaxed);
        while (!passThread_->wait(10)) {
            QCoreApplication::processEvents();
        }
        delete passThread_;
        passThread_ = nullptr;
    }
}

void COrvantaView::CreateControls() {
    fileList_ = new CTarnixListCtrl(this);
    fileList_->setObjectName(QStringLiteral("FileList"));
    fileList_->header()->resizeSection(0, 900);
    fileList_->SetImages({artwork::Icon(QStringLiteral("status_cross")),
                          artwork::Icon(QStringLiteral("status_tick")),
                          artwork::Icon(QStringLiteral("status_doc"))});
    connect(fileList_, &CTarnixListCtrl::previewItemRequested, this, &COrvantaView::OnPreviewItem);
    connect(fileList_, &CTarnixListCtrl::statusTextRequested, this,
            [this](const QString& text) { host_->SetStatusText(text); });

    selectButton_ = MakeButton(QStringLiteral("SelectFiles"), QStringLiteral("Select files"),
                               QStringLiteral("Select file(s)"), QStringLiteral("select"));
    removeButton_ = MakeButton(QStringLiteral("RemoveFiles"), QStringLiteral("Remove files"),
                               QStringLiteral("Remove file(s)"), QStringLiteral("remove"));
    repairButton_ = MakeButton(QStringLiteral("RepairFiles"), QStringLiteral("Repair files"),
                               QStringLiteral("Repair file(s)"), QStringLiteral("repair"));
    saveButton_ = MakeButton(QStringLiteral("Save"), QStringLiteral("Save..."),
                             QStringLiteral("Save file(s)"), QStringLiteral("save"));
    stopButton_ = MakeButton(QStringLiteral("Stop"), QStringLiteral("Stop"), QStringLiteral("Stop"),
                             QStringLiteral("stop"));
    exitButton_ = MakeButton(QStringLiteral("Exit"), QStringLiteral("Exit"), QStringLiteral("Exit"),
                             QStringLiteral("exit"));
    connect(selectButton_, &QPushButton::clicked, this, &COrvantaView::OnSelectFiles);
    connect(removeButton_, &QPushButton::clicked, this, &COrvantaView::OnRemoveFiles);
    connect(repairButton_, &QPushButton::clicked, this, &COrvantaView::OnRepairFiles);
    connect(saveButton_, &QPushButton::clicked, this, &COrvantaView::OnSaveFiles);
    connect(stopButton_, &QPushButton::clicked, this, &COrvantaView::OnStop);
    connect(exitButton_, &QPushButton::clicked, this, &COrvantaView::OnExit);

    destinationLabel_ =
        MakeLabel(QStringLiteral("DestinationLabel"),
                  QStringLiteral("Please select location to save repaired file(s):"), labelFont_);
    preview_ = new CPictureBox(this);
    preview_->setObjectName(QStringLiteral("Preview"));

    log_ = new ActivityLog(this);
    log_->setObjectName(QStringLiteral("ActivityLog"));
    log_->SetLogText(QStringLiteral("Click Select files to select .odf file(s) to repair...."));
    hint_ = new HintBox(this);
    hint_->setObjectName(QStringLiteral("HintBox"));
    hint_->ShowHint(HintBox::HintStart, HintBox::StartForm::AtStartUp);

    destination_ = new CXEditPrompt(this);
    destination_->setObjectName(QStringLiteral("Destination"));
    destination_->setFont(bodyFont_);
    destination_->ChangePrompt(
        QStringLiteral("<Please select valid path to save repaired Math file(s)>"));
    destination_->SetPromptColour(QColor(158, 158, 158));
    browseButton_ = MakeButton(QStringLiteral("Browse"), QStringLiteral("..."),
                               QStringLiteral("Browse folder"), QStringLiteral("browse"));
    connect(browseButton_, &QPushButton::clicked, this, &COrvantaView::OnBrowseFolder);

    previewLabel_ =
        MakeLabel(QStringLiteral("PreviewLabel"), QStringLiteral("File preview:"), labelFont_);

    media_ = new QCheckBox(QStringLiteral("Extract Media.."), this);
    media_->setObjectName(QStringLiteral("ExtractMedia"));
    media_->setFont(bodyFont_);
    QPalette mediaPalette = media_->palette();
    mediaPalette.setColor(QPalette::WindowText, Qt::black);
    mediaPalette.setColor(QPalette::Window, kPanelColour);
    media_->setPalette(mediaPalette);

    fileLabel_ =
        MakeLabel(QStringLiteral("FileProgressLabel"), QStringLiteral("File progress:"), bodyFont_);
    totalLabel_ = MakeLabel(QStringLiteral("TotalProgressLabel"),
                            QStringLiteral("Total files progress:"), bodyFont_);
    fileBar_ = new CEstProgressCtrl(this);
    fileBar_->setObjectName(QStringLiteral("FileProgress"));
    totalBar_ = new CEstProgressCtrl(this);
    totalBar_->setObjectName(QStringLiteral("TotalProgress"));

    for (QWidget* control : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (control != fileList_) {
            WatchForStatusText(control);
        }
    }
}

QPushButton* COrvantaView::MakeButton(const QString& name, const QString& text, const QString& tip,
                                      const QString& picture) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setIcon(artwork::Icon(picture));
    button->setIconSize(QSize(20, 20));
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QLabel* COrvantaView::MakeLabel(const QString& name, const QString& text, const QFont& font) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setFont(font);
    // Drawn straight over the panel colour the view paints.
    label->setAutoFillBackground(false);
    label->setAttribute(Qt::WA_TranslucentBackground);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

void COrvantaView::WatchForStatusText(QWidget* control) {
    control->setMouseTracking(true);
    control->installEventFilter(this);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(control)) {
        area->viewport()->setMouseTracking(true);
        area->viewport()->installEventFilter(this);
    }
}

bool COrvantaView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        auto* widget = qobject_cast<QWidget*>(watched);
        // A scroll area's viewport speaks for its control.
        while (widget != nullptr && widget->parentWidget() != this) {
            widget = widget->parentWidget();
        }
        QString text;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            text = button->text();
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            text = label->text();
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            text = edit->text();
        } else if (auto* rich = qobject_cast<QTextEdit*>(widget)) {
            text = rich->toPlainText();
        }
        host_->SetStatusText(text.left(259));
    }
    return QWidget::eventFilter(watched, event);
}

void COrvantaView::mouseMoveEvent(QMouseEvent* event) {
    host_->SetStatusText(QString());
    QWidget::mouseMoveEvent(event);
}

void COrvantaView::SetSelectEnabled(bool on) {
    selectEnabled_ = on ? 1 : 0;
    emit commandStateChanged();
}

void COrvantaView::SetRepairEnabled(bool on) {
    repairEnabled_ = on ? 1 : 0;
    emit commandStateChanged();
}

void COrvantaView::EnableSaveGroup(bool enable) {
    saveEnabled_ = enable ? 1 : 0;
    browseButton_->setEnabled(enable);
    saveButton_->setEnabled(enable);
    media_->setEnabled(enable);
    destination_->setEnabled(enable);
    emit commandStateChanged();
}

void COrvantaView::ShowProgressRows(bool show) {
    fileLabel_->setVisible(show);
    totalLabel_->setVisible(show);
    fileBar_->setVisible(show);
    totalBar_->setVisible(show);
}

void COrvantaView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Relayout();
}

void COrvantaView::Relayout() {
    const ViewLayout l =
        ViewLayout::Compute(width(), height(), !fileLabel_->isHidden(), !totalLabel_->isHidden());
    selectButton_->setGeometry(l.selectFiles);
    removeButton_->setGeometry(l.removeFiles);
    repairButton_->setGeometry(l.repairFiles);
    previewLabel_->setGeometry(l.previewLabel);
    FitLabel(previewLabel_, labelFont_);
    fileList_->setGeometry(l.fileList);
    preview_->setGeometry(l.preview);
    destinationLabel_->setGeometry(l.destinationLabel);
    FitLabel(destinationLabel_, labelFont_);
    destination_->setGeometry(l.destination);
    browseButton_->setGeometry(l.browse);
    saveButton_->setGeometry(l.save);
    media_->setGeometry(l.media);
    stopButton_->setGeometry(l.stop);
    exitButton_->setGeometry(l.exit);
    hint_->setGeometry(l.hint);
    log_->setGeometry(l.log);
    if (!l.fileProgress.isEmpty()) {
        fileLabel_->setGeometry(l.fileProgressLabel);
        fileBar_->setGeometry(l.fileProgress);
    }
    if (!l.totalProgress.isEmpty()) {
        totalLabel_->setGeometry(l.totalProgressLabel);
        totalBar_->setGeometry(l.totalProgress);
    }
    UpdateListBackground(l.listBackgroundWidth, l.listBackgroundHeight);
}

void COrvantaView::UpdateListBackground(int width, int height) {
    const QSize size(width, height);
    if (size == listBackgroundSize_ || size.isEmpty()) {
        return;
    }
    listBackgroundSize_ = size;
    QPalette palette = fileList_->palette();
    palette.setBrush(QPalette::Base,
                     QBrush(QPixmap::fromImage(artwork::Render(QStringLiteral("list_bg"), size))));
    fileList_->setPalette(palette);
    fileList_->viewport()->update();
}

void COrvantaView::paintEvent(QPaintEvent*) {
    const int w = width();
    const int h = height();
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QPoint(0, 0), header_);
    if (w - 100 > 173) {
        painter.drawImage(QRect(400, 0, w - 400, 72), headerFill_);
    }
    painter.fillRect(QRect(QPoint(0, 72), QPoint(w - 1, h - 51)), kPanelColour);
    painter.drawImage(QRect(0, h - 60, w, 62), footerBand_);
    painter.drawImage(QPoint(0, h - 60), footerCorner_);
}

void COrvantaView::dragEnterEvent(QDragEnterEvent* event) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void COrvantaView::dragMoveEvent(QDragMoveEvent* event) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void COrvantaView::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths << url.toLocalFile();
        }
    }
    AddDroppedFiles(paths);
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

std::filesystem::path COrvantaView::WorkspaceRoot() const {
    return params_.workspaceRoot;
}

void COrvantaView::WipeWorkspaceForClose() {
    preview_->ShowPreview(QString(), PreviewState::Picture);
    WipeFolder(params_.workspaceRoot);
}

}  // namespace qff
