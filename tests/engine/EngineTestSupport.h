#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "engine/EngineHost.h"

namespace qff::test {

// Records every call the engine makes on its host.
class RecordingHost : public EngineHost {
  public:
    struct Line {
        std::string text;
        ColorRef colour;
    };
    void AppendLogLine(const std::string& text, ColorRef colour) override {
        lines.push_back({text, colour});
    }
    int ShowAppMessage(const std::string& text, unsigned style) override {
        notices.push_back(text);
        styles.push_back(style);
        return kIdOk;
    }
    void ResetFileEstimate() override { progress.push_back("reset"); }
    void SetFileRange(int upper) override { progress.push_back("range " + std::to_string(upper)); }
    void SetFilePosition(int position) override { progress.push_back(std::to_string(position)); }

    std::vector<Line> lines;
    std::vector<std::string> notices;
    std::vector<unsigned> styles;
    std::vector<std::string> progress;
};

// A fresh folder below the system temporary folder, removed with everything in it.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
// Relative paths of every file below folder, "/" separated, sorted.
std::vector<std::string> FilesBelow(const std::filesystem::path& folder);
// Runs a shell command, returns its exit status and fills output with what it printed.
int RunCommand(const std::string& command, std::string* output = nullptr);

}  // namespace qff::test
