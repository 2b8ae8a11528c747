// Dialog units: a horizontal unit is a quarter of the font's average character width, a
// vertical one an eighth of its height. The averages are taken from the font actually used,
// so that a caption sized in dialog units fits whatever font stands in for the named one.
#pragma once

#include <QFont>
#include <QRect>

struct DialogBaseUnits {
    int x = 0;
    int y = 0;
};

DialogBaseUnits BaseUnitsOf(const QFont& font);

// Converts a rectangle in dialog units to pixels, rounding as the dialog manager does.
QRect MapDialogRect(const DialogBaseUnits& units, int x, int y, int width, int height);
