#pragma once

#include <QColor>

#include "windowmodel/string_grid.h"

// The red, amber and green of the medication check's indicator, which a grid cell's icon shares;
// an invalid colour for None.
QColor IndicatorColour(CellIcon icon);
