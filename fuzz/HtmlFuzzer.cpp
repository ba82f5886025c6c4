// Lays out and draws arbitrary markup with the HTML renderer on an offscreen canvas.
// The first byte picks the settings (wrapping width, enabled, line-feed handling); the
// rest is the markup as UTF-8.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "htmlbox/CPPHtmlDrawer.h"

namespace {

QGuiApplication* g_app = nullptr;
QImage* g_strip = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QByteArray runtime = QDir::tempPath().toLocal8Bit() + "/qff-fuzz-runtime";
    QDir().mkpath(QString::fromLocal8Bit(runtime));
    QFile::setPermissions(QString::fromLocal8Bit(runtime),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime);
    g_app = new QGuiApplication(*argc, *argv);
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    g_strip = new QImage(64, 16, QImage::Format_ARGB32);
    g_strip->fill(Qt::darkCyan);
    // Loads the font database once, so its caches are not taken for leaks of a run.
    QImage warmUp(64, 64, QImage::Format_RGB32);
    QPainter painter(&warmUp);
    qff::CPPHtmlDrawer drawer;
    drawer.DrawHtml(QRect(QPoint(0, 0), drawer.MeasureHtml(&painter, QStringLiteral("<b>a</b>i"))),
                    &painter);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint8_t settings = data[0];
    const QString html = QString::fromUtf8(reinterpret_cast<const char*>(data + 1),
                                           static_cast<qsizetype>(size - 1));

    QImage canvas(320, 240, QImage::Format_RGB32);
    canvas.setDotsPerMeterX(3780);
    canvas.setDotsPerMeterY(3780);
    canvas.fill(Qt::white);

    qff::CPPHtmlDrawer drawer;
    drawer.SetMaxWidth((settings & 0x03) * 100);
    drawer.SetEnabled((settings & 0x04) == 0);
    drawer.SetConvertNewlines((settings & 0x08) == 0);
    drawer.SetImageList(*g_strip, 16, 16);
    drawer.SetStringResource(1, QStringLiteral("<b>string</b> one"));
    drawer.SetUrlOpener([](const QString&) { return false; });

    QPainter painter(&canvas);
    const QSize size1 = drawer.MeasureHtml(&painter, html);
    if (size1.width() < 1 || size1.height() < 1) {
        std::fprintf(stderr, "html fuzzer: measured an empty size\n");
        std::abort();
    }
    drawer.DrawHtml(QRect(QPoint(0, 0), size1), &painter);
    // Hovering and finding links over what was drawn.
    drawer.TrackLinkHover(QPoint(size1.width() / 2, size1.height() / 2));
    volatile int link = drawer.FindLinkAt(QPoint(1, 1));
    (void)link;
    // Drawing into a smaller box than measured must work as well.
    drawer.DrawHtml(QRect(5, 5, size1.width() / 2, size1.height() / 2), &painter);
    painter.end();
    volatile QRgb pixel = canvas.pixel(0, 0);
    (void)pixel;
    return 0;
}
