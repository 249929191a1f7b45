#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A small round icon at a cell's right end, in the colours of the medication check's indicator.
enum class CellIcon { None, Red, Amber, Green };

// What a string grid shows: cells addressed as (column, row) with row 0 the header, each a text
// and perhaps an icon with its tool tip, column widths, fixed rows and columns and the current row.
// Rows cut off by a smaller row count lose their cells.
class StringGrid {
 public:
  StringGrid(int colCount, int rowCount);

  int colCount() const { return colCount_; }
  void setColCount(int count);
  int rowCount() const { return static_cast<int>(rows_.size()); }
  void setRowCount(int count);

  const QString& cell(int col, int row) const;  // "" outside the grid
  QStringList rowCells(int row) const;          // empty outside the grid
  void setCell(int col, int row, const QString& text);
  void clearRow(int row);

  // A cell's icon and its tool tip; None (and "") outside the grid and until set. Rows cut off by a
  // smaller row count, and clearRow, lose them with their texts.
  CellIcon cellIcon(int col, int row) const;
  const QString& cellToolTip(int col, int row) const;
  void setCellIcon(int col, int row, CellIcon icon, const QString& toolTip);

  int colWidth(int col) const;
  const QList<int>& colWidths() const { return colWidths_; }
  void setColWidth(int col, int width);

  int fixedRows = 1;
  int fixedCols = 0;
  int defaultRowHeight = 24;
  bool rowSelect = false;
  bool horizontalScrollBar = true;
  bool verticalScrollBar = true;

  // The current row stays inside the scrollable rows, as a grid control keeps it; -1 once the
  // current row has been cleared, until the next setRow.
  int row() const { return row_; }
  void setRow(int row);
  void clearCurrentRow() { row_ = -1; }

 private:
  struct CellMark {
    CellIcon icon = CellIcon::None;
    QString toolTip;
  };

  bool inside(int col, int row) const { return col >= 0 && col < colCount_ && row >= 0 && row < rowCount(); }
  void clampRow();

  int colCount_;
  QList<QStringList> rows_;
  QList<QList<CellMark>> marks_;  // row by row alongside rows_
  QList<int> colWidths_;
  int row_ = 1;
};
