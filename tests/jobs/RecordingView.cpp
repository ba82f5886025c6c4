#include "RecordingView.h"

namespace qff::test {

namespace {

const char* ButtonName(JobView::Button button) {
    switch (button) {
        case JobView::Button::SelectFiles:
            return "SelectFiles";
        case JobView::Button::RemoveFiles:
            return "RemoveFiles";
        case JobView::Button::RepairFiles:
            return "RepairFiles";
        case JobView::Button::Stop:
            return "Stop";
    }
    return "?";
}

std::string OnOff(bool on) {
    return on ? " on" : " off";
}

}  // namespace

void PrintTo(const LogLine& line, std::ostream* os) {
    const char* colour = line.colour == kLogGreen ? "green"
                         : line.colour == kLogRed ? "red"
                                                  : "black";
    std::string text = line.text;
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) {
        text.replace(text.size() - 2, 2, "\\r\\n");
    }
    *os << colour << " \"" << text << "\"";
}

std::vector<int> RecordingView::Marks() const {
    std::vector<int> marks;
    for (const Row& row : rows) {
        marks.push_back(row.mark);
    }
    return marks;
}

std::vector<JobView::RowIcon> RecordingView::Icons() const {
    std::vector<RowIcon> icons;
    for (const Row& row : rows) {
        icons.push_back(row.icon);
    }
    return icons;
}

void RecordingView::AppendLogLine(const std::string& text, ColorRef colour) {
    log.push_back({text, colour});
    if (afterLine) {
        afterLine(text);
    }
}

void RecordingView::StopAfterLine(const std::string& text, JobFlag* flag) {
    afterLine = [text, flag, done = false](const std::string& line) mutable {
        if (!done && line.find(text) != std::string::npos) {
            flag->store(0);
            done = true;
        }
    };
}

int RecordingView::ShowAppMessage(const std::string& text, unsigned style) {
    const bool question = (style & kMbYesNo) != 0;
    notices.push_back((question ? "question " : "notice ") + text);
    return question ? answer : kIdOk;
}

int RecordingView::ShowViewMessage(const std::string& text, unsigned) {
    notices.push_back("view " + text);
    return kIdOk;
}

void RecordingView::SetLogText(const std::string& text) {
    logText = text;
    log.clear();
    events.push_back("log text \"" + text + "\"");
}

void RecordingView::ShowHint(Hint hint) {
    static const char* const kNames[] = {"Start", "Repairing", "Repaired", "Saving", "Saved"};
    events.push_back(std::string("hint ") + kNames[static_cast<int>(hint)]);
}

void RecordingView::ShowProgressRow(Bar bar, bool show) {
    events.push_back(std::string(bar == Bar::File ? "file row" : "total row") + OnOff(show));
}

void RecordingView::ShowPreview(PreviewState state) {
    static const char* const kNames[] = {"NoFiles",         "SelectToRepair", "Repairing",
                                         "SelectToPreview", "NoImage",        "NotRepaired",
                                         "Picture"};
    events.push_back(std::string("preview ") + kNames[static_cast<int>(state)]);
}

void RecordingView::EnableButton(Button button, bool enable) {
    events.push_back(std::string("button ") + ButtonName(button) + OnOff(enable));
}

void RecordingView::ShowButton(Button button, bool show) {
    events.push_back(std::string("show ") + ButtonName(button) + OnOff(show));
}

void RecordingView::EnableSaveGroup(bool enable) {
    events.push_back("save group" + OnOff(enable));
}

void RecordingView::SetFlag(Flag flag, bool value) {
    static const char* const kNames[] = {"selectEnabled", "repairEnabled", "saveEnabled",
                                         "listRepaired"};
    events.push_back(std::string("flag ") + kNames[static_cast<int>(flag)] + OnOff(value));
}

}  // namespace qff::test
