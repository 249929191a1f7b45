#include "findings/tone_colour.h"

#include "widgets/indicator_colours.h"

// The indicator's colours are the grid icons' own, so that a red icon in a list says what the red
// indicator says.
QColor ToneColour(CheckTone tone) {
  switch (tone) {
    case CheckTone::Alarm:
      return IndicatorColour(CellIcon::Red);
    case CheckTone::Caution:
      return IndicatorColour(CellIcon::Amber);
    case CheckTone::Clear:
      return IndicatorColour(CellIcon::Green);
    case CheckTone::Neutral:
      break;
  }
  return QColor();
}
