#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace qff {

// The two system dialogs of the view, behind one seam so that tests can answer them.
// The program uses the toolkit's dialogs; a test installs its own answers.
class FileDialogs {
  public:
    virtual ~FileDialogs() = default;

    // Select files: full paths of the chosen .odf files, in the dialog's order; an
    // empty list when the user cancels.
    virtual QStringList GetOpenFileNames(QWidget* owner);
    // Browse folder: the chosen folder, or an empty string when the user cancels.
    virtual QString GetExistingFolder(QWidget* owner);

    // The dialogs in use. Install(nullptr) restores the toolkit's dialogs; an installed
    // object must outlive its use.
    static FileDialogs& Current();
    static void Install(FileDialogs* dialogs);
};

}  // namespace qff
