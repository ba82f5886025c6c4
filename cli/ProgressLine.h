#pragma once

#include <chrono>
#include <cstdio>
#include <string>

namespace qff {

// The one-line progress report quillmark-fix keeps on a terminal's standard error:
//   Repairing   3/10 files  30.00% complete. Estimated completion: 14:02:11
// The estimate is a straight-line extrapolation from the first visible progress, as
// the window's bars make it. Redraws are limited to a few per second; Clear() takes
// the line away so that a log line can be printed in its place.
class ProgressLine {
  public:
    explicit ProgressLine(std::FILE* out) : out_(out) {}

    // A new run: `title` names the pass, `total` is the number of files.
    void Begin(const std::string& title, int total);
    // Files done so far, plus the fraction of the current file (0 ... 1).
    void Update(int done, double current);
    // Removes the line from the terminal (it comes back at the next Update).
    void Clear();
    // Text of the line for `done` files + `current` of a file at `now`; empty before
    // the first visible progress. Exposed for tests.
    std::string Text(int done, double current, std::chrono::system_clock::time_point now);

  private:
    std::FILE* out_;
    std::string title_;
    int total_ = 0;
    bool shown_ = false;
    bool started_ = false;
    std::chrono::system_clock::time_point start_{};
    std::chrono::steady_clock::time_point lastDraw_{};
};

}  // namespace qff
