#include "widgets/indicator_colours.h"

QColor IndicatorColour(CellIcon icon) {
  switch (icon) {
    case CellIcon::Red:
      return QColor(0xCC, 0x00, 0x00);
    case CellIcon::Amber:
      return QColor(0xB3, 0x5C, 0x00);
    case CellIcon::Green:
      return QColor(0x00, 0x70, 0x20);
    case CellIcon::None:
      break;
  }
  return QColor();
}
