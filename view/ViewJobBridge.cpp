#include "view/ViewJobBridge.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "app/CTarnixListCtrl.h"
#include "app/CXEditPrompt.h"
#include "app/ShowAppMessage.h"
#include "feedback/ActivityLog.h"
#include "feedback/CEstProgressCtrl.h"
#include "feedback/CallOnOwnThread.h"
#include "feedback/HintBox.h"
#include "view/COrvantaView.h"
#include "view/CPictureBox.h"
#include "view/PathText.h"

namespace qff {

template <typename Call>
auto ViewJobBridge::OnUi(Call call) {
    return CallOnOwnThread(&view_, std::move(call));
}

void ViewJobBridge::AppendLogLine(const std::string& text, ColorRef colour) {
    OnUi([&] { view_.Log()->AppendLogLine(FromEngineText(text), colour); });
}

int ViewJobBridge::ShowAppMessage(const std::string& text, unsigned style) {
    return qff::ShowAppMessage(nullptr, FromEngineText(text), style);
}

int ViewJobBridge::ShowViewMessage(const std::string& text, unsigned style) {
    return qff::ShowAppMessage(&view_, FromEngineText(text), style);
}

void ViewJobBridge::ResetFileEstimate() {
    view_.FileBar()->ResetEstimate();
}

void ViewJobBridge::SetFileRange(int upper) {
    OnUi([&] { view_.FileBar()->SetRange(0, upper); });
}

void ViewJobBridge::SetFilePosition(int position) {
    OnUi([&] { view_.FileBar()->SetPos(position); });
}

void ViewJobBridge::ResetTotalEstimate() {
    view_.TotalBar()->ResetEstimate();
}

void ViewJobBridge::SetTotalRange(int upper) {
    OnUi([&] { view_.TotalBar()->SetRange(0, upper); });
}

void ViewJobBridge::SetTotalPosition(int position) {
    OnUi([&] { view_.TotalBar()->SetPos(position); });
}

int ViewJobBridge::RowCount() {
    return OnUi([&] { return view_.FileList()->GetItemCount(); });
}

std::string ViewJobBridge::RowText(int row) {
    return OnUi([&] { return ToEngineText(view_.FileList()->GetItemText(row)); });
}

int ViewJobBridge::RowMark(int row) {
    return OnUi([&] { return static_cast<int>(view_.FileList()->GetItemData(row)); });
}

void ViewJobBridge::SetRowMark(int row, int mark) {
    OnUi([&] { view_.FileList()->SetItemData(row, mark); });
}

void ViewJobBridge::SetRowIcon(int row, RowIcon icon) {
    OnUi([&] { view_.FileList()->SetItemImage(row, static_cast<int>(icon)); });
}

std::filesystem::path ViewJobBridge::RowFolder(int row) {
    return OnUi([&] { return view_.RowFolder(row); });
}

void ViewJobBridge::SetRowFolder(int row, const std::filesystem::path& folder) {
    OnUi([&] { view_.SetRowFolder(row, folder); });
}

void ViewJobBridge::SetLogText(const std::string& text) {
    OnUi([&] { view_.Log()->SetLogText(FromEngineText(text)); });
}

void ViewJobBridge::ShowHint(Hint hint) {
    OnUi([&] { view_.Hints()->ShowHint(static_cast<HintBox::Hint>(hint)); });
}

void ViewJobBridge::ShowProgressRow(Bar bar, bool show) {
    OnUi([&] {
        if (bar == Bar::File) {
            view_.FileProgressLabel()->setVisible(show);
            view_.FileBar()->setVisible(show);
        } else {
            view_.TotalProgressLabel()->setVisible(show);
            view_.TotalBar()->setVisible(show);
        }
    });
}

void ViewJobBridge::Relayout() {
    OnUi([&] { view_.Relayout(); });
}

void ViewJobBridge::ShowPreview(PreviewState state) {
    OnUi([&] { view_.Preview()->ShowPreview(QString(), static_cast<qff::PreviewState>(state)); });
}

void ViewJobBridge::EnableButton(Button button, bool enable) {
    OnUi([&] {
        switch (button) {
            case Button::SelectFiles:
                view_.SelectButton()->setEnabled(enable);
                break;
            case Button::RemoveFiles:
                view_.RemoveButton()->setEnabled(enable);
                break;
            case Button::RepairFiles:
                view_.RepairButton()->setEnabled(enable);
                break;
            case Button::Stop:
                view_.StopButton()->setEnabled(enable);
                break;
        }
    });
}

void ViewJobBridge::ShowButton(Button button, bool show) {
    if (button != Button::Stop) {
        return;
    }
    OnUi([&] { view_.StopButton()->setVisible(show); });
}

void ViewJobBridge::EnableSaveGroup(bool enable) {
    OnUi([&] { view_.EnableSaveGroup(enable); });
}

void ViewJobBridge::SetFlag(Flag flag, bool value) {
    OnUi([&] {
        switch (flag) {
            case Flag::SelectEnabled:
                view_.SetSelectEnabled(value);
                break;
            case Flag::RepairEnabled:
                view_.SetRepairEnabled(value);
                break;
            case Flag::SaveEnabled:
                // Only through EnableSaveGroup, which keeps the controls in step.
                break;
            case Flag::ListRepaired:
                view_.SetListRepaired(value);
                break;
        }
    });
}

std::string ViewJobBridge::DestinationText() {
    return OnUi([&] {
        CXEditPrompt* edit = view_.Destination();
        return edit->PromptShowing() ? std::string() : ToEngineText(edit->text());
    });
}

bool ViewJobBridge::MediaChecked() {
    return OnUi([&] { return view_.MediaBox()->isChecked(); });
}

}  // namespace qff
