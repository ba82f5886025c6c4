#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "jobs/JobParams.h"
#include "jobs/JobView.h"

namespace qff::test {

struct LogLine {
    std::string text;
    ColorRef colour;
    bool operator==(const LogLine&) const = default;
};

void PrintTo(const LogLine& line, std::ostream* os);

// A view that remembers everything a pass did to it. The file list is a plain vector;
// the log is the list of lines appended since the last whole-text replacement; every
// other call is written to `events` as a short text ("hint Repairing",
// "button Stop on", ...), in call order.
class RecordingView : public JobView {
  public:
    struct Row {
        std::string text;
        int mark = 0;
        RowIcon icon = RowIcon::Listed;
        std::filesystem::path folder;
    };

    std::vector<Row> rows;
    std::vector<LogLine> log;
    std::string logText;  // the last whole-text replacement
    std::vector<std::string> events;
    std::vector<int> totalPositions;
    std::vector<std::string> notices;  // "notice <text>", "question <text>", "view <text>"
    std::string destination;
    bool media = true;
    int answer = kIdYes;

    // Called after every appended log line: what the user does meanwhile.
    std::function<void(const std::string& line)> afterLine;

    // Clears `flag` (a confirmed Stop) right after the first log line containing
    // `text` has been appended.
    void StopAfterLine(const std::string& text, JobFlag* flag);

    void AddRow(const std::string& text) { rows.push_back(Row{text, 0, RowIcon::Listed, {}}); }
    // Remove files for one row: the later rows move up and keep their folders.
    void RemoveRow(int row) { rows.erase(rows.begin() + row); }

    std::vector<int> Marks() const;
    std::vector<RowIcon> Icons() const;

    // EngineHost
    void AppendLogLine(const std::string& text, ColorRef colour) override;
    int ShowAppMessage(const std::string& text, unsigned style) override;
    void ResetFileEstimate() override {}
    void SetFileRange(int) override {}
    void SetFilePosition(int) override {}

    // JobView
    int RowCount() override { return static_cast<int>(rows.size()); }
    std::string RowText(int row) override { return rows.at(row).text; }
    int RowMark(int row) override { return rows.at(row).mark; }
    void SetRowMark(int row, int mark) override { rows.at(row).mark = mark; }
    void SetRowIcon(int row, RowIcon icon) override { rows.at(row).icon = icon; }
    std::filesystem::path RowFolder(int row) override { return rows.at(row).folder; }
    void SetRowFolder(int row, const std::filesystem::path& folder) override {
        rows.at(row).folder = folder;
    }
    void SetLogText(const std::string& text) override;
    void ShowHint(Hint hint) override;
    void ResetTotalEstimate() override { events.push_back("total reset"); }
    void SetTotalRange(int upper) override {
        events.push_back("total range " + std::to_string(upper));
    }
    void SetTotalPosition(int position) override { totalPositions.push_back(position); }
    void ShowProgressRow(Bar bar, bool show) override;
    void Relayout() override { events.push_back("relayout"); }
    void ShowPreview(PreviewState state) override;
    void EnableButton(Button button, bool enable) override;
    void ShowButton(Button button, bool show) override;
    void EnableSaveGroup(bool enable) override;
    void SetFlag(Flag flag, bool value) override;
    std::string DestinationText() override { return destination; }
    bool MediaChecked() override { return media; }
    int ShowViewMessage(const std::string& text, unsigned style) override;
};

}  // namespace qff::test
