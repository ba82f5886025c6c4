#include "view/ViewLayout.h"

namespace qff {

ViewLayout ViewLayout::Compute(int w, int h, bool fileRowVisible, bool totalRowVisible) {
    const int m = h / 2;
    ViewLayout l;
    l.selectFiles = QRect(10, 80, 100, 28);
    l.removeFiles = QRect(115, 80, 100, 28);
    l.repairFiles = QRect(220, 80, 100, 28);
    l.previewLabel = QRect(w - 210, 95, 90, 16);
    l.fileList = QRect(10, 113, w - 230, m - 88);
    l.preview = QRect(w - 210, 113, 200, m - 88);
    l.destinationLabel = QRect(10, m + 30, 290, 26);
    l.destination = QRect(305, m + 32, w - 585, 22);
    l.browse = QRect(w - 275, m + 30, 50, 26);
    l.save = QRect(w - 220, m + 30, 70, 26);
    l.media = QRect(w - 145, m + 30, 135, 26);
    l.stop = QRect(w - 130, h - 40, 60, 30);
    l.exit = QRect(w - 65, h - 40, 55, 30);
    l.hint = QRect(75, h - 50, 310, 45);
    l.listBackgroundWidth = w - 230;
    l.listBackgroundHeight = m - 73;

    const int top = m + 61;
    if (!fileRowVisible && !totalRowVisible) {
        l.log = QRect(10, top, w - 20, h - m - 131);
        return l;
    }
    const int bottom = fileRowVisible ? h - 105 : h - 90;
    l.log = QRect(10, top, w - 20, bottom - top);
    int y = bottom + 5;
    if (fileRowVisible) {
        l.fileProgressLabel = QRect(10, y, 150, 18);
        l.fileProgress = QRect(165, y, w - 175, 13);
        y = bottom + 28;
    }
    l.totalProgressLabel = QRect(10, y, 150, 18);
    l.totalProgress = QRect(165, y, w - 175, 13);
    return l;
}

}  // namespace qff
