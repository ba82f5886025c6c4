#pragma once

#include <QObject>

namespace qff {

class CMainFrame;

// The document: it holds nothing. It only routes the standard New, Open and Save
// commands (Ctrl+N, Ctrl+O, Ctrl+S) to the view, each only while the view allows it.
class COrvantaDoc : public QObject {
    Q_OBJECT

  public:
    explicit COrvantaDoc(CMainFrame* frame);

    // Ctrl+N and Ctrl+O: Select files, while selectEnabled.
    void OnFileNew();
    void OnFileOpen() { OnFileNew(); }
    // Ctrl+S: Save, while saveEnabled.
    void OnFileSave();

  private:
    CMainFrame* frame_;
};

}  // namespace qff
