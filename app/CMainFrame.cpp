#include "app/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

#include "app/CAboutDlg.h"
#include "app/CHyperLink.h"
#include "app/COrvantaDoc.h"
#include "app/CSplashScreenEx.h"
#include "app/Looks.h"
#include "app/ShowAppMessage.h"
#include "engine/EngineHost.h"
#include "res/Artwork.h"
#include "view/COrvantaView.h"

namespace qff {

namespace {

const QString kTitle = QStringLiteral("Quillmark Formula Fixer");

QSettings FrameSettings() {
    return QSettings(QStringLiteral("QuillmarkFormulaFixer"), kTitle);
}

}  // namespace

const QString CMainFrame::kProductPage =
    QStringLiteral("https://quillmark.example.org/formula-fixer/");
const QString CMainFrame::kMakerPage = QStringLiteral("https://quillmark.example.org/");

CMainFrame::CMainFrame() : CMainFrame(Options{}) {}

CMainFrame::CMainFrame(const Options& options) {
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(kTitle);
    setWindowIcon(artwork::Icon(QStringLiteral("app_icon")));
    setMinimumSize(650, 450);

    // The logo exists before the bars, so that it can be kept above them.
    logo_ = new QLabel(this);
    logo_->setObjectName(QStringLiteral("Logo"));
    logo_->setPixmap(QPixmap::fromImage(artwork::Render(QStringLiteral("logo"))));
    logo_->setAlignment(Qt::AlignCenter);
    logo_->setAccessibleName(kTitle);
    logo_->setCursor(Qt::PointingHandCursor);
    logo_->setMouseTracking(true);
    logo_->installEventFilter(this);

    if (options.splash) {
        auto* splash = new CSplashScreenEx;
        if (splash->CreateSplash(this, CSplashScreenEx::kDefaultStyle, 2000) &&
            splash->LoadPicture(artwork::Render(QStringLiteral("splash")))) {
            splash->ShowSplash();
        } else {
            splash->deleteLater();
        }
    }
    looks::Apply(*qobject_cast<QApplication*>(QCoreApplication::instance()), looks::ReadStored());

    doc_ = new COrvantaDoc(this);
    view_ = new COrvantaView(this, this);
    setCentralWidget(view_);

    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateKeys();
    restoreState(FrameSettings().value(QStringLiteral("MainFrame/State")).toByteArray());

    connect(view_, &COrvantaView::commandStateChanged, this, &CMainFrame::UpdateCommands);
    connect(view_, &COrvantaView::passFinished, this, [this] {
        if (closeAfterPass_) {
            FinishClose();
        }
    });
    UpdateCommands();
    logo_->raise();
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::MakeAction(const QString& text, const QString& prompt,
                                const QString& picture) {
    auto* action = new QAction(text, this);
    const int cut = prompt.indexOf(QLatin1Char('\n'));
    action->setStatusTip(cut < 0 ? prompt : prompt.left(cut));
    action->setToolTip(cut < 0 ? prompt : prompt.mid(cut + 1));
    if (!picture.isEmpty()) {
        action->setIcon(artwork::Icon(picture));
    }
    return action;
}

void CMainFrame::CreateMenus() {
    // The key names in the texts are labels; the keys themselves are bound in
    // CreateKeys (Ctrl+O selects files and Ctrl+S saves).
    selectAction_ = MakeAction(QStringLiteral("&Select File(s)\tCtrl+N"),
                               QStringLiteral("Select corrupt .odf file(s)\nSelect file(s)"),
                               QStringLiteral("select"));
    removeAction_ = MakeAction(QStringLiteral("&Remove File(s)\tCtrl+O"),
                               QStringLiteral("Remove .odf file(s) from the list\nRemove file(s)"),
                               QStringLiteral("remove"));
    repairAction_ = MakeAction(QStringLiteral("&Repair File(s)\tCtrl+S"),
                               QStringLiteral("Repair corrupt .odf file(s)\nRepair file(s)"),
                               QStringLiteral("repair"));
    browseAction_ = MakeAction(
        QStringLiteral("Browse folder"),
        QStringLiteral("Browse destination path to save the repaired .odf file(s) \nBrowse folder"),
        QStringLiteral("browse"));
    saveAction_ = MakeAction(QStringLiteral("Save file(s)"),
                             QStringLiteral("Save repaired .odf file(s)\nSave file(s)"),
                             QStringLiteral("save"));
    QAction* exitAction = MakeAction(QStringLiteral("E&xit"),
                                     QStringLiteral("Quit the application\nExit"), QString());
    QAction* aboutAction = MakeAction(QStringLiteral("&About Quillmark Formula Fixer"),
                                      QStringLiteral("About  Quillmark Formula Fixer\nAbout"),
                                      QStringLiteral("about"));
    QAction* helpAction = MakeAction(QStringLiteral("Software Help"),
                                     QStringLiteral("Help for  Quillmark Formula Fixer\nHelp"),
                                     QStringLiteral("help"));
    QAction* webAction = MakeAction(QStringLiteral("Visit Software WebPage"),
                                    QStringLiteral("Visit Software WebPage"), QString());
    for (auto [action, name] : {std::pair{selectAction_, "SelectFilesCommand"},
                                {removeAction_, "RemoveFilesCommand"},
                                {repairAction_, "RepairFilesCommand"},
                                {browseAction_, "BrowseFolderCommand"},
                                {saveAction_, "SaveFilesCommand"},
                                {exitAction, "ExitCommand"},
                                {aboutAction, "AboutCommand"},
                                {helpAction, "HelpCommand"},
                                {webAction, "WebPageCommand"}}) {
        action->setObjectName(QString::fromLatin1(name));
    }

    connect(selectAction_, &QAction::triggered, this, [this] {
        if (view_->SelectEnabled()) {
            view_->OnSelectFiles();
        }
    });
    connect(removeAction_, &QAction::triggered, view_, &COrvantaView::OnRemoveFiles);
    connect(repairAction_, &QAction::triggered, view_, &COrvantaView::OnRepairFiles);
    connect(browseAction_, &QAction::triggered, view_, &COrvantaView::OnBrowseFolder);
    connect(saveAction_, &QAction::triggered, this, [this] {
        if (view_->SaveEnabled()) {
            view_->OnSaveFiles();
        }
    });
    connect(exitAction, &QAction::triggered, this, &QWidget::close);
    connect(aboutAction, &QAction::triggered, this, &CMainFrame::OnAppAbout);
    connect(helpAction, &QAction::triggered, this, &CMainFrame::OnHelpContents);
    connect(webAction, &QAction::triggered, this, &CMainFrame::OnVisitWebPage);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("FileMenu"));
    file->addAction(selectAction_);
    file->addSeparator();
    file->addAction(removeAction_);
    file->addAction(repairAction_);
    file->addSeparator();
    file->addAction(browseAction_);
    file->addAction(saveAction_);
    file->addSeparator();
    file->addAction(exitAction);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("HelpMenu"));
    help->addAction(aboutAction);
    help->addSeparator();
    help->addAction(helpAction);
    help->addAction(webAction);

    toolBar_ = new QToolBar(QStringLiteral("Standard"), this);
    toolBar_->setObjectName(QStringLiteral("Standard"));
    for (QAction* action : {selectAction_, removeAction_, repairAction_, browseAction_, saveAction_,
                            helpAction, aboutAction}) {
        toolBar_->addAction(action);
    }
}

void CMainFrame::CreateToolBar() {
    toolBar_->setIconSize(QSize(48, 48));
    toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    addToolBar(Qt::TopToolBarArea, toolBar_);
}

void CMainFrame::CreateStatusBar() {
    statusPane_ = new QLabel(kTitle);
    statusPane_->setObjectName(QStringLiteral("StatusText"));
    statusPane_->setFixedWidth(500);
    statusBar()->addWidget(statusPane_);
    // The lock indicators. The toolkit cannot read the lock keys' state on every
    // platform, so they stand as the familiar, quiet markers.
    for (const char* name : {"CAP", "NUM", "SCRL"}) {
        auto* indicator = new QLabel(QString::fromLatin1(name));
        indicator->setObjectName(QStringLiteral("Indicator") + QString::fromLatin1(name));
        indicator->setFrameShape(QFrame::Panel);
        indicator->setFrameShadow(QFrame::Sunken);
        indicator->setAlignment(Qt::AlignCenter);
        indicator->setMinimumWidth(
            indicator->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        indicator->setEnabled(false);
        statusBar()->addPermanentWidget(indicator);
    }
}

void CMainFrame::CreateKeys() {
    auto bind = [this](const QKeySequence& keys, auto slot) {
        auto* action = new QAction(this);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, doc_, slot);
        addAction(action);
    };
    bind(QKeySequence(Qt::CTRL | Qt::Key_N), &COrvantaDoc::OnFileNew);
    bind(QKeySequence(Qt::CTRL | Qt::Key_O), &COrvantaDoc::OnFileOpen);
    bind(QKeySequence(Qt::CTRL | Qt::Key_S), &COrvantaDoc::OnFileSave);
}

void CMainFrame::UpdateCommands() {
    selectAction_->setEnabled(view_->SelectEnabled());
    removeAction_->setEnabled(view_->RepairEnabled());
    repairAction_->setEnabled(view_->RepairEnabled());
    browseAction_->setEnabled(view_->SaveEnabled());
    saveAction_->setEnabled(view_->SaveEnabled());
}

void CMainFrame::SetStatusText(const QString& text) {
    statusPane_->setText(text);
}

QString CMainFrame::StatusText() const {
    return statusPane_->text();
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    PlaceLogo();
}

void CMainFrame::PlaceLogo() {
    logo_->setGeometry(width() - 250, 28, 245, 50);
    logo_->raise();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == logo_) {
        if (event->type() == QEvent::MouseMove) {
            SetStatusText(kTitle);
        } else if (event->type() == QEvent::MouseButtonRelease &&
                   static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            OpenLink(kMakerPage);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::OpenLink(const QString& url) {
    if (!QDesktopServices::openUrl(QUrl(url))) {
        QApplication::beep();
        ShowAppMessage(nullptr, CHyperLink::ErrorMessage(31).replace(QLatin1Char('\n'), "<br>"),
                       kMbIconInformation);
    }
}

void CMainFrame::OnVisitWebPage() {
    OpenLink(kProductPage);
}

QString CMainFrame::HelpFilePath() {
    return QCoreApplication::applicationDirPath() +
           QStringLiteral("/Quillmark for Formula Fixer.chm");
}

void CMainFrame::OnHelpContents() {
    const QString path = HelpFilePath();
    if (!QFileInfo::exists(path)) {
        ShowAppMessage(nullptr,
                       QStringLiteral("Quillmark Formula Fixer help file not found, please "
                                      "re-install the software. "),
                       kMbIconInformation);
        return;
    }
    OpenLink(QUrl::fromLocalFile(path).toString());
}

void CMainFrame::OnAppAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (closeApproved_) {
        event->accept();
        return;
    }
    event->ignore();
    if (closeAfterPass_) {
        return;  // already confirmed; closing as soon as the pass has ended
    }
    if (isMinimized()) {
        showMaximized();
    }
    if (jobRunning_.load(std::memory_order_relaxed) != 0) {
        ShowAppMessage(nullptr,
                       QStringLiteral("Please stop the running process before closing the "
                                      "application."),
                       kMbIconInformation);
        return;
    }
    if (ShowAppMessage(nullptr, QStringLiteral("Do you really want to exit?"),
                       kMbYesNo | kMbIconQuestion) != kIdYes) {
        return;
    }
    if (view_->PassActive()) {
        // A stopped pass is still finishing its file in the workspace: wipe and close
        // only once it has ended.
        closeAfterPass_ = true;
        SetStatusText(QStringLiteral("Closing as soon as the running process has ended...."));
        return;
    }
    PrepareClose();
    event->accept();
}

void CMainFrame::PrepareClose() {
    closeAfterPass_ = false;
    view_->WipeWorkspaceForClose();
    FrameSettings().setValue(QStringLiteral("MainFrame/State"), saveState());
    closeApproved_ = true;
}

void CMainFrame::FinishClose() {
    PrepareClose();
    close();
    if (shuttingDown_) {
        QCoreApplication::exit(0);
    }
}

void CMainFrame::ShutDown() {
    shuttingDown_ = true;
    jobRunning_.store(0, std::memory_order_relaxed);
    // No new notice may hold the way out: each is answered No or Cancel at once.
    SetAppMessageHandler([](QWidget*, const QString&, unsigned style) {
        return (style & kMbYesNo) ? kIdNo : kIdCancel;
    });
    // Whatever dialog is open goes away unanswered (a question counts as No).
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(top); dialog && dialog->isVisible()) {
            dialog->reject();
        }
    }
    if (view_->PassActive()) {
        closeAfterPass_ = true;
        return;
    }
    FinishClose();
}

}  // namespace qff
