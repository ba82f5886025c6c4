// The application's notices: caption, shading, questions, escaped paths, the save
// notice's folder link, and notices raised from a worker thread.

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <atomic>
#include <thread>

#include "BoxDriver.h"
#include "htmlbox/MessageBoxHtmlMarkup.h"
#include "htmlbox/ShowAppMessage.h"
#include "htmlbox/ShowHtmlMessageBox.h"

namespace qff {
namespace {

using test::DriveBox;

class Silence {
  public:
    Silence() {
        SetMessageBeepHandler([this](std::uint32_t icon) { lastIcon = icon; });
    }
    ~Silence() { SetMessageBeepHandler({}); }
    std::uint32_t lastIcon = 0;
};

TEST(ShowAppMessage, NoticeHasTheProductCaptionAndTheYellowShade) {
    Silence silence;
    QImage picture;
    QString title;
    std::vector<int> ids;
    const int result =
        DriveBox([] { return ShowAppMessage(nullptr, "Please select a valid folder path.", 0x40); },
                 [&](CPPMessageBoxTemplate& box) {
                     title = box.windowTitle();
                     for (const MessageBoxButton& b : box.ButtonRow().buttons) {
                         ids.push_back(b.id);
                     }
                     picture = box.grab().toImage();
                     box.Button(IDOK)->click();
                 });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(title, "Quillmark Formula Fixer");
    EXPECT_EQ(ids, std::vector<int>{IDOK});
    EXPECT_EQ(silence.lastIcon, 0x40u);

    // The vertical bump: yellow at the right edge, lightest in the middle column.
    ASSERT_FALSE(picture.isNull());
    const int y = picture.height() - 3;
    const QColor middle = picture.pixelColor(picture.width() / 2, y);
    const QColor edge = picture.pixelColor(picture.width() - 1, y);
    EXPECT_NEAR(edge.red(), 253, 3);
    EXPECT_NEAR(edge.green(), 236, 6);
    EXPECT_NEAR(edge.blue(), 81, 12);
    EXPECT_NEAR(middle.blue(), 169, 6);
    EXPECT_GT(middle.blue(), edge.blue() + 60);
}

TEST(ShowAppMessage, QuestionIsAnsweredOnlyWithYesOrNo) {
    Silence silence;
    for (const int answer : {IDYES, IDNO}) {
        const int result =
            DriveBox([] { return ShowAppMessage(nullptr, "Do you really want to exit?", 0x24); },
                     [&](CPPMessageBoxTemplate& box) {
                         QTest::keyClick(&box, Qt::Key_Escape);
                         box.close();
                         EXPECT_TRUE(box.isVisible());
                         box.Button(answer)->click();
                     });
        EXPECT_EQ(result, answer);
    }
    EXPECT_EQ(silence.lastIcon, 0x20u);
}

TEST(ShowAppMessage, NoticeClosedWithEscapeGivesCancel) {
    Silence silence;
    const int result =
        DriveBox([] { return ShowAppMessage(nullptr, "No file(s) selected to remove.", 0x40); },
                 [](CPPMessageBoxTemplate& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(result, IDCANCEL);
}

TEST(ShowAppMessage, EscapeHtmlTextKeepsPathsAsTheyAre) {
    struct Case {
        const char* in;
        const char* out;
    };
    for (const Case& c :
         {Case{"a<b>&c.odf", "a&lt;b>&amp;c.odf"}, Case{"/plain/path.odf", "/plain/path.odf"},
          Case{"&amp;", "&amp;amp;"}, Case{"<<", "&lt;&lt;"}}) {
        EXPECT_EQ(EscapeHtmlText(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
    }
}

// Receives the URLs the desktop is asked to open.
class UrlCatcher : public QObject {
    Q_OBJECT

  public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> urls;

  public slots:
    void Open(const QUrl& url) { urls.append(url); }
};

TEST(ShowAppMessage, SavedNoticeLinkOpensTheDestinationFolder) {
    Silence silence;
    UrlCatcher catcher;
    const QString folder = QStringLiteral("/tmp/out a<b&c");
    const QString shown = EscapeHtmlText(folder);
    const QString text = QStringLiteral(
                             "File(s) saving process has been completed.Saved file(s) location "
                             "is:<br><a href=") +
                         "'" + shown + "'>" + shown + "</a>";
    const int result =
        DriveBox([&] { return ShowAppMessage(nullptr, text, 0x40); },
                 [](CPPMessageBoxTemplate& box) {
                     box.repaint();
                     // Sweep the message band for the link and click it.
                     const int top = box.MessageBandHeight() / 2;
                     bool clicked = false;
                     for (int y = top; y < box.MessageBandHeight() && !clicked; y += 2) {
                         for (int x = 20; x < box.width() - 20 && !clicked; x += 4) {
                             QTest::mouseMove(&box, QPoint(x, y));
                             if (box.cursor().shape() == Qt::PointingHandCursor) {
                                 QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(x, y));
                                 clicked = true;
                             }
                         }
                     }
                     EXPECT_TRUE(clicked);
                     box.Button(IDOK)->click();
                 });
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls.front(), QUrl::fromLocalFile(folder));
}

TEST(ShowAppMessage, WorkerWaitsWhileTheUserInterfaceKeepsPainting) {
    Silence silence;
    // A stand-in for the log: repainted by a timer on the user-interface thread.
    class Painted : public QWidget {
      public:
        std::atomic<int> paints{0};

      protected:
        void paintEvent(QPaintEvent*) override { ++paints; }
    } log;
    log.resize(200, 100);
    log.show();
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, &log, [&log] { log.repaint(); });
    ticker.start(20);

    // The box runs in a modal loop on this thread, so the user is played by a timer.
    int paintsWhileOpen = -1;
    bool workerReturnedEarly = true;
    QString title;
    std::atomic<int> answer{0};
    std::atomic<bool> done{false};
    QTimer user;
    int paintsBefore = -1;
    QObject::connect(&user, &QTimer::timeout, [&] {
        CPPMessageBoxTemplate* box = test::ShownBox();
        if (box == nullptr) {
            return;
        }
        if (paintsBefore < 0) {
            paintsBefore = log.paints;
            return;
        }
        if (log.paints < paintsBefore + 5) {
            return;  // let the log repaint a few times first
        }
        paintsWhileOpen = log.paints - paintsBefore;
        workerReturnedEarly = done;
        title = box->windowTitle();
        user.stop();
        box->Button(IDYES)->click();
    });
    user.start(10);

    std::thread worker([&] {
        answer = ShowAppMessage(nullptr, "Are you sure to stop the running process?", 0x24);
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done.load(); }, 10000)) {
        worker.detach();  // still blocked in the box: fail instead of hanging
        FAIL() << "the worker never got its answer";
    }
    worker.join();
    EXPECT_GE(paintsWhileOpen, 5);
    EXPECT_FALSE(workerReturnedEarly);
    EXPECT_EQ(title, "Quillmark Formula Fixer");
    EXPECT_EQ(answer, IDYES);
}

TEST(ShowAppMessage, ProgramDismissalAndHandler) {
    Silence silence;
    // A program that shuts down rejects open dialogs: a question counts as No.
    struct Case {
        std::uint32_t style;
        int expected;
    };
    for (const Case& c : {Case{0x24, IDNO}, Case{0x40, IDCANCEL}}) {
        const int result = DriveBox([&] { return ShowAppMessage(nullptr, "Quit?", c.style); },
                                    [](CPPMessageBoxTemplate& box) { box.reject(); });
        EXPECT_EQ(result, c.expected) << std::hex << c.style;
    }

    // A handler answers in place of the box, on the user-interface thread, also for a
    // worker.
    std::thread::id handledOn;
    SetAppMessageHandler([&](QWidget*, const QString& text, std::uint32_t style) {
        handledOn = std::this_thread::get_id();
        return text == "Really?" && style == 0x24 ? IDYES : -1;
    });
    int answer = 0;
    std::thread worker([&] { answer = ShowAppMessage(nullptr, "Really?", 0x24); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return answer != 0; }, 5000));
    worker.join();
    SetAppMessageHandler({});
    EXPECT_EQ(answer, IDYES);
    EXPECT_EQ(handledOn, std::this_thread::get_id());
    EXPECT_EQ(test::ShownBox(), nullptr);
}

TEST(ShowAppMessage, TargetUrlOfLinks) {
    EXPECT_EQ(MessageBoxHtmlMarkup::TargetUrl("/tmp/a<<b"), QUrl::fromLocalFile("/tmp/a<b"));
    EXPECT_EQ(MessageBoxHtmlMarkup::TargetUrl("https://example.org/x"),
              QUrl("https://example.org/x"));
    // A destination typed relative to the working folder.
    QTemporaryDir base;
    ASSERT_TRUE(QDir(base.path()).mkdir("out"));
    const QString before = QDir::currentPath();
    QDir::setCurrent(base.path());
    const QUrl relative = MessageBoxHtmlMarkup::TargetUrl("out");
    QDir::setCurrent(before);
    EXPECT_EQ(relative, QUrl::fromLocalFile(QDir(base.path()).absoluteFilePath("out")));
}

}  // namespace
}  // namespace qff

#include "ShowAppMessageTest.moc"
