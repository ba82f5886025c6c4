#pragma once

#include <QString>

#include "jobs/JobParams.h"

namespace qff {

// What the main view needs from the window that holds it (the main frame).
class ViewHost {
  public:
    virtual ~ViewHost() = default;

    // The frame's jobRunning: 1 while a pass runs and no stop was confirmed.
    virtual JobFlag& JobRunning() = 0;
    // Writes into the first pane of the status bar.
    virtual void SetStatusText(const QString& text) = 0;
    // The Exit button: the frame's close, with all its rules.
    virtual void CloseFrame() = 0;
};

}  // namespace qff
