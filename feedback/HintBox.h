#pragma once

#include <QString>
#include <QTextEdit>
#include <utility>
#include <vector>

namespace qff {

// The small borderless pane at the bottom of the main view that holds one fixed
// instruction, with the words that name a command or the file type in bold. The
// view's background shows around the text. Read-only.
//
// ShowHint may be called from any thread: from a thread other than the widget's
// own, the call is carried out on the widget's thread and the caller waits.
class HintBox : public QTextEdit {
    Q_OBJECT

  public:
    enum Hint { HintStart, HintRepairing, HintRepaired, HintSaving, HintSaved };

    // HintStart has two forms: as shown when the view is created, and as shown right
    // after the last file was removed from the list, where "preview" is bold too.
    enum class StartForm { AtStartUp, AfterRemoval };

    // A range [first, second) of character positions; each line break counts as one.
    using Range = std::pair<int, int>;

    explicit HintBox(QWidget* parent = nullptr);

    // Replaces the whole text by the hint's text in Arial 9 pt, regular, and sets the
    // hint's bold ranges. form only matters for HintStart.
    void ShowHint(Hint hint, StartForm form = StartForm::AtStartUp);

    // The hint currently shown (HintStart before the first ShowHint).
    Hint CurrentHint() const { return current_; }

    static QString HintText(Hint hint);
    static std::vector<Range> BoldRanges(Hint hint, StartForm form = StartForm::AtStartUp);

  private:
    void ShowOnOwnThread(Hint hint, StartForm form);

    Hint current_ = HintStart;
};

}  // namespace qff
