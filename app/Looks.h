#pragma once

#include <QPalette>
#include <QString>

class QApplication;

namespace qff {

// The visual looks the program can wear, chosen by the stored setting
// "ApplicationLook" (210 ... 218, default 215). Each look is a widget style and a
// palette of its own.
namespace looks {

inline constexpr int kDefaultLook = 215;

struct Look {
    int value;
    QString style;  // widget style key
    QPalette palette;
};

// The look for a stored value; any value outside 210 ... 218 gets the default look.
Look For(int value);

// The stored value (settings organisation "QuillmarkFormulaFixer", application
// "Quillmark Formula Fixer"), written back with the default when it is missing.
int ReadStored();

// Puts the look of a stored value on the whole application.
void Apply(QApplication& app, int value);

}  // namespace looks
}  // namespace qff
