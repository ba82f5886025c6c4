#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/ProgressLine.h"
#include "jobs/JobView.h"

namespace qff {

// The view of quillmark-fix: the file list is the files of the command line, the
// activity log goes to standard output (green and red lines coloured when it is a
// terminal), notices go to standard error as plain text, and while a pass runs a
// progress line stands on standard error when that is a terminal. The window's
// buttons, hints and preview do not exist here; the calls that drive them do nothing.
class ConsoleView : public JobView {
  public:
    struct Row {
        std::string text;
        int mark = 0;
        RowIcon icon = RowIcon::Listed;
        std::filesystem::path folder;
    };

    ConsoleView(std::vector<std::string> files, std::string destination, bool media, std::FILE* log,
                std::FILE* notices);

    // Whether log lines carry colour codes / a progress line is kept. Default: only
    // when the stream is a terminal (and NO_COLOR is not set, for colour).
    void SetColour(bool colour) { colour_ = colour; }
    void SetProgress(bool progress) { progress_ = progress; }

    const std::vector<Row>& rows() const { return rows_; }

    // Notice text without its markup: "<br>" becomes a line break, tags are dropped
    // and the escapes of "<", ">", "&" and quotes are undone.
    static std::string PlainText(const std::string& markup);

    // EngineHost
    void AppendLogLine(const std::string& text, ColorRef colour) override;
    int ShowAppMessage(const std::string& text, unsigned style) override;
    void ResetFileEstimate() override {}
    void SetFileRange(int upper) override;
    void SetFilePosition(int position) override;

    // JobView
    int RowCount() override { return static_cast<int>(rows_.size()); }
    std::string RowText(int row) override { return rows_.at(row).text; }
    int RowMark(int row) override { return rows_.at(row).mark; }
    void SetRowMark(int row, int mark) override { rows_.at(row).mark = mark; }
    void SetRowIcon(int row, RowIcon icon) override { rows_.at(row).icon = icon; }
    std::filesystem::path RowFolder(int row) override { return rows_.at(row).folder; }
    void SetRowFolder(int row, const std::filesystem::path& folder) override {
        rows_.at(row).folder = folder;
    }
    void SetLogText(const std::string& text) override;
    void ShowHint(Hint hint) override;
    void ResetTotalEstimate() override {}
    void SetTotalRange(int upper) override;
    void SetTotalPosition(int position) override;
    void ShowProgressRow(Bar bar, bool show) override;
    void Relayout() override {}
    void ShowPreview(PreviewState) override {}
    void EnableButton(Button, bool) override {}
    void ShowButton(Button, bool) override {}
    void EnableSaveGroup(bool) override {}
    void SetFlag(Flag, bool) override {}
    std::string DestinationText() override { return destination_; }
    bool MediaChecked() override { return media_; }
    int ShowViewMessage(const std::string& text, unsigned style) override;

  private:
    void Write(std::FILE* stream, const std::string& text);
    void DrawProgress();

    std::vector<Row> rows_;
    std::string destination_;
    bool media_;
    std::FILE* log_;
    std::FILE* notices_;
    bool colour_;
    bool progress_;
    ProgressLine line_;
    bool passRunning_ = false;
    std::string passTitle_;
    int done_ = 0;
    int fileRange_ = 0;
    int filePosition_ = 0;
};

}  // namespace qff
