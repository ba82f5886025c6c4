#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "htmlbox/MessageBoxParams.h"

namespace qff {

// One button of the box's row, in the order it is shown.
struct MessageBoxButton {
    int id = 0;
    QString caption;
};

// What the button row of a box holds and how it behaves, worked out from the parameters
// alone (no widget involved).
struct MessageBoxButtonRow {
    std::vector<MessageBoxButton> buttons;
    int defaultIndex = 0;
    // Escape and the Close command end the box with IDCANCEL.
    bool cancelAllowed = false;
    // True when the row holds own buttons from customButtons.
    bool custom = false;
};

// Built-in English caption of a button id ("" for an id without one).
QString BuiltinCaption(int id);
// String-table number tried for the localised caption of an id (0 for none).
int CaptionResourceId(int id);

// The caption shown for `id`: the entry of buttonTexts when the call gives one, else the
// string-table entry of the id (unless MBX_BUILTIN_TEXTS), else `fallback`, or the
// built-in caption when `fallback` is empty.
QString ResolveCaption(const MessageBoxParams& params, int id, const QString& fallback = {});

// Builds the row: the custom buttons (ids 23 ... 26, empty pieces skipped, at most four)
// or the standard set of the style, then Help, Report (only with an owner) and More.
// A row in which no button can end the box gets an OK button in front, so that no box is
// left without a way out.
MessageBoxButtonRow BuildButtonRow(const MessageBoxParams& params);

// The default button index in the style, or 0 when it is not below `count`.
int DefaultButtonIndex(std::uint32_t style, int count);

}  // namespace qff
