// Test entry point: a GUI application on the offscreen platform (unless a display is
// set) with the renderer's font faces pinned to the Liberation and DejaVu packages, so
// that measured widths are the same on every machine.
#include <gtest/gtest.h>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdlib>

#include "HtmlTestSupport.h"

int main(int argc, char** argv) {
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir runtimeDir;
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr && runtimeDir.isValid()) {
        QFile::setPermissions(runtimeDir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                     QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
    }
    QGuiApplication app(argc, argv);
    qff::test::PinTestFonts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
