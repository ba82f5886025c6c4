// main() for the window tests: offscreen when there is no display, and private
// runtime, configuration and temporary folders, so that parallel test programs never
// share a workspace or settings.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir scratch(QDir::tempPath() + QStringLiteral("/qff-window-test-XXXXXX"));
    if (!scratch.isValid()) {
        return 2;
    }
    QFile::setPermissions(scratch.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (const char* sub : {"runtime", "config", "tmp"}) {
        QDir(scratch.path()).mkdir(QString::fromLatin1(sub));
    }
    QFile::setPermissions(scratch.path() + "/runtime",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", (scratch.path() + "/runtime").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (scratch.path() + "/config").toLocal8Bit());
    qputenv("TMPDIR", (scratch.path() + "/tmp").toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
