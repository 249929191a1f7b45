#pragma once

#include <QFont>

// The window fonts: ＭＳ Ｐゴシック and ＭＳ ゴシック where they are installed, otherwise their
// metric-compatible stand-ins IPAPGothic and IPAGothic.
QFont ProportionalUiFont(int pixelSize);
QFont FixedPitchUiFont(int pixelSize);
