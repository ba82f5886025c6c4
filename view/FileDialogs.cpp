#include "view/FileDialogs.h"

#include <QFileDialog>

namespace qff {

namespace {

FileDialogs* installed = nullptr;

}  // namespace

QStringList FileDialogs::GetOpenFileNames(QWidget* owner) {
    // No existence check by the dialog itself: a name the user typed is listed as it
    // is, and the repair pass reports a file it cannot open.
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilter(QStringLiteral("Math File (*.odf)"));
    dialog.setDefaultSuffix(QStringLiteral("odf"));
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.selectedFiles();
}

QString FileDialogs::GetExistingFolder(QWidget* owner) {
    return QFileDialog::getExistingDirectory(
        owner, QStringLiteral("Select path to save repaired file(s)"));
}

FileDialogs& FileDialogs::Current() {
    static FileDialogs toolkit;
    return installed ? *installed : toolkit;
}

void FileDialogs::Install(FileDialogs* dialogs) {
    installed = dialogs;
}

}  // namespace qff
