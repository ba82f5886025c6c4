#pragma once

#include <QString>

#include "htmlbox/ColorRef.h"
#include "htmlbox/HtmlColourNames.h"

namespace qff {

// What a length needs to know about the place it is used in.
struct LengthContext {
    int fontHeight = 16;  // height of the current font, for "em"
    int xHeight = 16;     // height of the text "x" in the current font, for "ex"
    int dpiY = 96;        // logical dots per inch of the paint device
};

// Largest length and count the renderer accepts; larger values are clamped, so absurd
// markup cannot overflow coordinates or ask for unbounded work.
constexpr int kMaxLength = 100000;

// a * b / c rounded to the nearest integer (halves away from zero); 0 when c is 0.
int MulDiv(int a, int b, int c);

// Reads a length. Empty keeps `current`; "N%" is N percent of `current`; otherwise a sign
// is dropped and the unit is taken from the last two characters: px, ex, em, in, cm, mm,
// pt, pc. A bare number is pixels, except that for font sizes 1 to 7 mean 8, 10, 12, 14,
// 18, 24 and 36 pixels. The result lies in [0, kMaxLength].
int ParseLength(const QString& value, int current, const LengthContext& context,
                bool fontSize = false);

// Reads a colour into `colour` and returns true: "#rrggbb" (exactly seven characters),
// a number (0x hex, leading-0 octal, decimal) taken as 0x00BBGGRR, or a colour name as
// written. Returns false and leaves `colour` unchanged for anything else.
bool ParseColour(const QString& value, const ColourNameMap& names, ColorRef& colour);

// The leading integer of `value` (optional sign, base prefix as in ParseColour), clamped
// to [-kMaxLength, kMaxLength]; 0 when there is none.
int ParseInteger(const QString& value);

// A pointer-sized key written in the markup, such as "0x7f3a2c001e40".
quint64 ParseHandle(const QString& value);

}  // namespace qff
