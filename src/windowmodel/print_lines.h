#pragma once

#include <QStringList>

#include "windowmodel/desktop_services.h"

// Prints lines on the default printer the way the history text is printed: ＭＳ ゴシック 10 pt,
// from 100 dots in, a new page before the last 200 dots of a page. The job is ended on every way
// out. Raises CoreError when there is no printer.
void PrintLines(DesktopServices& desktop, const QStringList& lines);
