#pragma once

#include <QString>
#include <QStringList>

#include "windowmodel/string_grid.h"

// The rows of a grid from `firstRow` on, each its cells joined by `separator`: what a test compares.
inline QStringList GridRows(const StringGrid& grid, QChar separator, int firstRow = 0) {
  QStringList rows;
  for (int row = firstRow; row < grid.rowCount(); ++row) {
    QStringList cells;
    for (int col = 0; col < grid.colCount(); ++col) cells << grid.cell(col, row);
    rows << cells.join(separator);
  }
  return rows;
}
