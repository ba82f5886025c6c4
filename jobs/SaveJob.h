#pragma once

#include <string>

#include "jobs/JobParams.h"

namespace qff {

// The save pass: for every row marked repaired, packs the row's working folder into
// destination / ("MENDED_" + file name) and, when "Extract Media.." is ticked, copies
// its pictures into destination / (file name + "_MediaContent"). Rows not marked are
// reported red and skipped. Runs on its worker thread; reports through params.view.
//
// The destination is the destination edit's text. When it is not an existing folder
// the pass shows "Please select a valid folder path.", changes nothing else, and
// returns 0 with jobRunning 0 (so a caller that claimed the flag before starting the
// worker gets it back). Otherwise it sets jobRunning, runs, shows the final notice with
// a link to the destination (owned by the view), waits for it to be closed, and returns
// 1 with jobRunning 0.
//
// A package that could not be written completely is reported with a red
// path + " saving of file failed...." line instead of the green " saving of file
// done....", and no partial package is left under its name. A stop is noticed only
// when the pass reaches the next repaired row; from there every row gets the stop
// lines and loses its mark.
class SaveJob {
  public:
    explicit SaveJob(const JobParams& params) : params_(params) {}

    int Run();

    // Packages written completely by the last Run.
    int saved() const { return saved_; }

  private:
    void SaveFile(int row, const std::string& path, const std::string& dest);
    void StopRemaining(int from, int count);

    JobParams params_;
    int saved_ = 0;
};

}  // namespace qff
