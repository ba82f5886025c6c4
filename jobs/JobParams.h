#pragma once

#include <atomic>
#include <filesystem>

namespace qff {

class JobView;

// 1 while a repair or save pass runs and no stop was confirmed. Owned by whoever
// starts the passes (the main frame, or the terminal front end); written by the
// user-interface thread (start, Stop) and by the pass (end), read by the pass before
// each file and by the scan at every examined position. Relaxed order is enough: it
// only carries "go on" or "stop", never data.
using JobFlag = std::atomic<int>;

// What a pass needs from the one who starts it. Filled before the worker starts and
// not written while it runs; the pointers must outlive the pass.
struct JobParams {
    // The view the pass reports to and reads the file list from.
    JobView* view = nullptr;
    // The main frame's jobRunning.
    JobFlag* jobRunning = nullptr;
    // Root of the repair workspace. The window passes GetWorkspaceRoot(); the terminal
    // front end a private folder of its own, so it never wipes a running window's
    // salvage.
    std::filesystem::path workspaceRoot;
};

// The Stop command, on the user-interface thread: asks "Are you sure to stop the
// running process?" (Yes/No, question icon, no owner); on Yes disables the Stop
// button and clears jobRunning. The running pass notices at its next test. Returns
// true when the user confirmed.
bool ConfirmStop(const JobParams& params);

}  // namespace qff
