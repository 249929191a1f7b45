#pragma once

#include <QColor>

#include "medcheck/check_indicator.h"

// The colour of a tone; an invalid colour leaves the widget's own text colour.
QColor ToneColour(CheckTone tone);
