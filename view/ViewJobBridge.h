#pragma once

#include "jobs/JobView.h"

namespace qff {

class COrvantaView;

// The main view as the passes see it. Every operation is carried out on the
// user-interface thread: at once when called there (the start of a repair pass, the
// Stop command), otherwise as a blocking queued call while the worker waits. Notices
// go through ShowAppMessage, which does the same for its box.
class ViewJobBridge : public JobView {
  public:
    explicit ViewJobBridge(COrvantaView& view) : view_(view) {}

    void AppendLogLine(const std::string& text, ColorRef colour) override;
    int ShowAppMessage(const std::string& text, unsigned style) override;
    void ResetFileEstimate() override;
    void SetFileRange(int upper) override;
    void SetFilePosition(int position) override;

    int RowCount() override;
    std::string RowText(int row) override;
    int RowMark(int row) override;
    void SetRowMark(int row, int mark) override;
    void SetRowIcon(int row, RowIcon icon) override;
    std::filesystem::path RowFolder(int row) override;
    void SetRowFolder(int row, const std::filesystem::path& folder) override;

    void SetLogText(const std::string& text) override;
    void ShowHint(Hint hint) override;

    void ResetTotalEstimate() override;
    void SetTotalRange(int upper) override;
    void SetTotalPosition(int position) override;
    void ShowProgressRow(Bar bar, bool show) override;
    void Relayout() override;

    void ShowPreview(PreviewState state) override;
    void EnableButton(Button button, bool enable) override;
    void ShowButton(Button button, bool show) override;
    void EnableSaveGroup(bool enable) override;
    void SetFlag(Flag flag, bool value) override;

    std::string DestinationText() override;
    bool MediaChecked() override;

    int ShowViewMessage(const std::string& text, unsigned style) override;

  private:
    template <typename Call>
    auto OnUi(Call call);

    COrvantaView& view_;
};

}  // namespace qff
