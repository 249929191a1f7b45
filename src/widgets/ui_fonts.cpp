#include "widgets/ui_fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

// The first family of the list the system has; Windows knows its Japanese fonts by their Japanese
// and their English names (a Windows in another language may list only the English one).
QFont FirstInstalled(const QStringList& families, int pixelSize) {
  QString chosen = families.last();
  for (const QString& family : families) {
    if (QFontDatabase::hasFamily(family)) {
      chosen = family;
      break;
    }
  }
  QFont font(chosen);
  font.setPixelSize(pixelSize);
  return font;
}

}  // namespace

QFont ProportionalUiFont(int pixelSize) {
  return FirstInstalled(
      {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic")},
      pixelSize);
}

QFont FixedPitchUiFont(int pixelSize) {
  QFont font = FirstInstalled(
      {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic")}, pixelSize);
  font.setFixedPitch(true);
  return font;
}
