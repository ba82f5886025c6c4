#pragma once

#include "jobs/JobView.h"

namespace qff {

// Steps both passes take in the same way.

// Shows the progress rows a pass uses (the total row always, the per-file row when
// asked), lays the view out again and starts a new run of the total bar over count
// files.
inline void ShowProgressRowsAndStartTotal(JobView& view, bool fileRow, int count) {
    view.ShowProgressRow(JobView::Bar::File, fileRow);
    view.ShowProgressRow(JobView::Bar::Total, true);
    view.Relayout();
    view.ResetTotalEstimate();
    view.SetTotalRange(count);
    view.SetTotalPosition(0);
}

// Hides both progress rows.
inline void HideProgressRows(JobView& view) {
    view.ShowProgressRow(JobView::Bar::File, false);
    view.ShowProgressRow(JobView::Bar::Total, false);
}

}  // namespace qff
