#pragma once

#include "jobs/JobParams.h"

namespace qff {

// The repair pass: scans every listed package for local headers, extracts what it
// found into the package's working folder of the workspace, makes sure a usable
// content.xml is there, and marks the row repaired or not. Every log line, mark, icon,
// progress position, hint and control change goes through params.view.
//
//   RepairJob job(params);
//   job.Start();                          // user-interface thread, before the worker
//   std::thread([&] { job.Run(); });      // worker thread
//
// Rows: a row whose package could be opened is marked 1 with the green tick and gets
// its working folder (root / file name + position); a row whose package could not be
// opened keeps its icon, mark 0 and no folder; a row the pass did not reach because of
// a stop gets the red cross, mark 0 and no folder. A stop never interrupts a package
// whose scan has begun. The pass never ends early because of a file.
class RepairJob {
  public:
    explicit RepairJob(const JobParams& params) : params_(params) {}

    // The start steps of the Repair files command, on the user-interface thread:
    // wipes the workspace (blanking the preview first), sets listRepaired, shows the
    // Repairing hint and preview, switches the buttons to the repairing state, sets
    // jobRunning to 1, empties the log and puts both bars to 0. It does not start the
    // worker: the caller does that right after.
    void Start();

    // The pass itself, on the worker thread. The file count is read once at its start;
    // rows added meanwhile are left alone. Ends with jobRunning 0, the controls
    // restored and the progress rows hidden. Returns 1.
    int Run();

  private:
    void RepairFile(int row, const std::string& path, const std::filesystem::path& root);
    void StopRemaining(int from, int count);
    void Finish(int count);

    JobParams params_;
};

}  // namespace qff
