#pragma once

#include <QMainWindow>
#include <QString>

#include "view/ViewHost.h"

class QAction;
class QLabel;
class QToolBar;

namespace qff {

class COrvantaDoc;
class COrvantaView;

// The program's window: menu bar, the toolbar "Standard", the status bar with its text
// pane and lock indicators, the logo at the top right, and the main view inside.
// It holds jobRunning and enforces the close rules: no close while a pass runs, the
// user confirms, and the workspace is wiped on the way out.
class CMainFrame : public QMainWindow, public ViewHost {
    Q_OBJECT

  public:
    struct Options {
        bool splash = true;  // show the start-up picture
    };

    // The product's web page and the maker's home page.
    static const QString kProductPage;
    static const QString kMakerPage;

    CMainFrame();
    explicit CMainFrame(const Options& options);
    ~CMainFrame() override;

    COrvantaView* View() const { return view_; }
    COrvantaDoc* Doc() const { return doc_; }

    // ViewHost
    JobFlag& JobRunning() override { return jobRunning_; }
    void SetStatusText(const QString& text) override;
    void CloseFrame() override { close(); }

    QString StatusText() const;

    // Software Help: opens "Quillmark for Formula Fixer.chm" beside the program, or
    // says that it is missing.
    void OnHelpContents();
    void OnAppAbout();
    void OnVisitWebPage();

    // The help file's path: the program's folder and the help file's name.
    static QString HelpFilePath();

    // Ends the program without asking, as when the session ends: a running pass is
    // told to stop and the window closes once it has ended; the workspace is wiped.
    void ShutDown();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateKeys();
    void UpdateCommands();
    void PlaceLogo();
    // Wipes the workspace and keeps the bars' state; the close then goes through.
    void PrepareClose();
    void FinishClose();
    void OpenLink(const QString& url);
    QAction* MakeAction(const QString& text, const QString& prompt, const QString& picture);

    JobFlag jobRunning_{0};
    COrvantaDoc* doc_ = nullptr;
    COrvantaView* view_ = nullptr;
    QLabel* logo_ = nullptr;
    QLabel* statusPane_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QAction* selectAction_ = nullptr;
    QAction* removeAction_ = nullptr;
    QAction* repairAction_ = nullptr;
    QAction* browseAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    bool closeApproved_ = false;
    bool closeAfterPass_ = false;
    bool shuttingDown_ = false;
};

}  // namespace qff
