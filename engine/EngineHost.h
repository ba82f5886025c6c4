#pragma once

#include <cstdint>
#include <string>

namespace qff {

// A colour as the log receives it: 0x00BBGGRR, the layout the rest of the program
// computes with. Converted to a toolkit colour only where it is painted.
using ColorRef = std::uint32_t;

constexpr ColorRef RgbColor(unsigned r, unsigned g, unsigned b) {
    return static_cast<ColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

inline constexpr ColorRef kLogBlack = RgbColor(0, 0, 0);
inline constexpr ColorRef kLogGreen = RgbColor(0, 153, 0);
inline constexpr ColorRef kLogRed = RgbColor(255, 0, 0);

// Message box styles and answers, with the values every notice of the program uses.
inline constexpr unsigned kMbOk = 0x00;
inline constexpr unsigned kMbYesNo = 0x04;
inline constexpr unsigned kMbIconQuestion = 0x20;
inline constexpr unsigned kMbIconInformation = 0x40;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// What the engine needs from whoever runs it: the activity log, notices, and the
// per-file progress bar. The repair pass implements it on top of its view; tests
// implement it with a recorder. Every call is made on the worker thread that runs
// the engine and returns only once it has been carried out (a notice returns the
// user's answer).
class EngineHost {
  public:
    virtual ~EngineHost() = default;

    // Appends one line to the activity log. text is UTF-8 and carries its own line end.
    virtual void AppendLogLine(const std::string& text, ColorRef colour) = 0;

    // Shows a notice. text is markup (paths in it are already escaped); style is a
    // combination of the kMb* values. Returns the button the user pressed (kId*).
    virtual int ShowAppMessage(const std::string& text, unsigned style) = 0;

    // The per-file progress bar: forget the completion estimate, set the range
    // 0 ... upper, move to a position.
    virtual void ResetFileEstimate() = 0;
    virtual void SetFileRange(int upper) = 0;
    virtual void SetFilePosition(int position) = 0;
};

}  // namespace qff
