#include "app/COrvantaDoc.h"

#include "app/CMainFrame.h"
#include "view/COrvantaView.h"

namespace qff {

COrvantaDoc::COrvantaDoc(CMainFrame* frame) : QObject(frame), frame_(frame) {}

void COrvantaDoc::OnFileNew() {
    COrvantaView* view = frame_->View();
    if (view != nullptr && view->SelectEnabled()) {
        view->OnSelectFiles();
    }
}

void COrvantaDoc::OnFileSave() {
    COrvantaView* view = frame_->View();
    if (view != nullptr && view->SaveEnabled()) {
        view->OnSaveFiles();
    }
}

}  // namespace qff
