#include "findings/tone_colour.h"

QColor ToneColour(CheckTone tone) {
  switch (tone) {
    case CheckTone::Alarm:
      return QColor(0xCC, 0x00, 0x00);
    case CheckTone::Caution:
      return QColor(0xB3, 0x5C, 0x00);
    case CheckTone::Clear:
      return QColor(0x00, 0x70, 0x20);
    case CheckTone::Neutral:
      break;
  }
  return QColor();
}
