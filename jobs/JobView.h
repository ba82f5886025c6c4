#pragma once

#include <filesystem>
#include <string>

#include "engine/EngineHost.h"

namespace qff {

// Everything a repair or save pass does to the main view, and nothing more.
//
// The passes are plain C++ and never touch a widget: the window implements this
// interface, a terminal front end implements it for a console, and the tests record
// every call. The engine's own reports (log lines, notices, the per-file bar) come
// through the EngineHost part, so one object serves both the pass and the engine it
// drives.
//
// Threads: a pass calls these operations on its worker thread, and each call must be
// complete (the control changed, the answer known) before it returns. The window does
// that with a blocking queued call into the user-interface thread. The start steps of
// a repair pass (RepairJob::Start) and the Stop command (ConfirmStop) call the same
// operations on the user-interface thread itself, so an implementation must carry a
// call out directly when it already runs on that thread.
//
// Rows are addressed by their position in the file list at the moment of the call.
// Texts are UTF-8; a row's text is the full path of its package.
class JobView : public EngineHost {
  public:
    // The three pictures a row can carry; the values are the image indexes of the
    // list's status images.
    enum class RowIcon { NotRepaired = 0, Repaired = 1, Listed = 2 };

    // The preview pane's states, with the values the picture box uses.
    enum class PreviewState {
        NoFiles = 0,
        SelectToRepair = 1,
        Repairing = 2,
        SelectToPreview = 3,
        NoImage = 4,
        NotRepaired = 5,
        Picture = 6,
    };

    // The five instructions of the hint box. A pass never shows HintStart; it is
    // listed so one enumeration serves the whole view.
    enum class Hint { Start, Repairing, Repaired, Saving, Saved };

    // The progress rows: each is a label ("File progress:", "Total files progress:")
    // and its estimated progress bar.
    enum class Bar { File, Total };

    // The command buttons a pass switches. Stop is the only one a pass shows or hides.
    enum class Button { SelectFiles, RemoveFiles, RepairFiles, Stop };

    // The view's command flags. saveEnabled changes only through EnableSaveGroup.
    enum class Flag { SelectEnabled, RepairEnabled, SaveEnabled, ListRepaired };

    // --- File list -------------------------------------------------------------

    // Number of rows in the list now.
    virtual int RowCount() = 0;
    // Column-0 text of a row: the package's full path.
    virtual std::string RowText(int row) = 0;
    // The repaired mark (item data): 1 = repaired by the last repair pass.
    virtual int RowMark(int row) = 0;
    virtual void SetRowMark(int row, int mark) = 0;
    // Changes a row's picture; its text, mark and working folder stay.
    virtual void SetRowIcon(int row, RowIcon icon) = 0;
    // The working folder the last repair pass made for the row, or an empty path when
    // the row was not repaired. The row keeps it when rows before it are removed, so
    // the save pass, the preview and Remove files always find the row's own salvage.
    // The window gives every row it adds an empty folder.
    virtual std::filesystem::path RowFolder(int row) = 0;
    virtual void SetRowFolder(int row, const std::filesystem::path& folder) = 0;

    // --- Activity log and hint box ---------------------------------------------

    // AppendLogLine (text, colour) comes from EngineHost.
    // Replaces the whole log text; the new text takes the default colour.
    virtual void SetLogText(const std::string& text) = 0;
    virtual void ShowHint(Hint hint) = 0;

    // --- Progress bars -----------------------------------------------------------

    // ResetFileEstimate / SetFileRange / SetFilePosition come from EngineHost and
    // drive the per-file bar; these drive the total bar.
    virtual void ResetTotalEstimate() = 0;
    virtual void SetTotalRange(int upper) = 0;
    virtual void SetTotalPosition(int position) = 0;
    // Shows or hides one progress row (its label and its bar) without re-laying out.
    virtual void ShowProgressRow(Bar bar, bool show) = 0;
    // Lays the view out again at its current size (after progress rows came or went).
    virtual void Relayout() = 0;

    // --- Preview, controls, flags ------------------------------------------------

    // ShowPreview with an empty path: blanks the pane (and releases any picture file
    // it holds) and puts up the state's message.
    virtual void ShowPreview(PreviewState state) = 0;
    virtual void EnableButton(Button button, bool enable) = 0;
    // Only Stop is ever shown or hidden; the other buttons are always visible.
    virtual void ShowButton(Button button, bool show) = 0;
    // Enables or disables together the browse button "...", "Save...", the
    // "Extract Media.." check box and the destination edit, and sets saveEnabled.
    virtual void EnableSaveGroup(bool enable) = 0;
    virtual void SetFlag(Flag flag, bool value) = 0;

    // --- Save settings -------------------------------------------------------------

    // The destination edit's text, or "" while it shows its grey prompt.
    virtual std::string DestinationText() = 0;
    // Whether "Extract Media.." is ticked.
    virtual bool MediaChecked() = 0;

    // --- Notices -----------------------------------------------------------------

    // ShowAppMessage (text, style) from EngineHost shows a notice or question without
    // an owner. This one shows it owned by the view window; only the final notice of
    // the save pass uses it. Returns the button the user pressed (kId*).
    virtual int ShowViewMessage(const std::string& text, unsigned style) = 0;
};

}  // namespace qff
