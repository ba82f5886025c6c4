#pragma once

#include <QRect>

namespace qff {

// Where every control of the main view goes for a client area of width x height
// pixels. The log makes room for the progress rows that are visible: 35 pixels for
// both, 20 for the total row alone. Rectangles of hidden progress rows are empty.
struct ViewLayout {
    QRect selectFiles, removeFiles, repairFiles;
    QRect previewLabel, fileList, preview;
    QRect destinationLabel, destination, browse, save, media;
    QRect stop, exit, hint;
    QRect log;
    QRect fileProgressLabel, fileProgress, totalProgressLabel, totalProgress;
    // Size of the list's background picture.
    int listBackgroundWidth = 0, listBackgroundHeight = 0;

    static ViewLayout Compute(int width, int height, bool fileRowVisible, bool totalRowVisible);
};

}  // namespace qff
