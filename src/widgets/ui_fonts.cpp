#include "widgets/ui_fonts.h"

#include <QFontDatabase>

namespace {

QFont FirstInstalled(const QString& preferred, const QString& standIn, int pixelSize) {
  QFont font(QFontDatabase::hasFamily(preferred) ? preferred : standIn);
  font.setPixelSize(pixelSize);
  return font;
}

}  // namespace

QFont ProportionalUiFont(int pixelSize) {
  return FirstInstalled(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"), pixelSize);
}

QFont FixedPitchUiFont(int pixelSize) {
  QFont font = FirstInstalled(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"), pixelSize);
  font.setFixedPitch(true);
  return font;
}
