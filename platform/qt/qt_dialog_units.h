#pragma once

// Dialog units on Qt: the dialog font, its base units, and the mapping of a place in dialog units
// to device-independent pixels. Qt scales those pixels by the screen's device pixel ratio, which
// keeps the window in proportion and readable on high-DPI screens.

#include <QFont>
#include <QRect>
#include <string_view>

#include "platform/kit/dialog_units.h"
#include "shell/platform.h"

namespace townwright::qt {

// The font named `face` at `points`, or the system's sans-serif at that size when no installed
// family has that name (fontconfig would otherwise hand back an arbitrary substitute).
QFont DialogFont(std::string_view face, int points);

// The family `face` if it is installed, otherwise the family the system uses for "sans-serif".
QString InstalledFamilyOr(std::string_view face);

// Horizontal: the advance of the 52 letters A-Z a-z divided by 52, rounded to nearest with halves
// up. Vertical: the font's height (ascent + descent).
BaseUnits BaseUnitsOf(const QFont& font);

QRect MapDialogRect(const DialogRect& place, BaseUnits base);

}  // namespace townwright::qt
