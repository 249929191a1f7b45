#include "windowmodel/string_grid.h"

#include <algorithm>

namespace {
constexpr int kDefaultColWidth = 64;
}

StringGrid::StringGrid(int colCount, int rowCount) : colCount_(0) {
  setColCount(colCount);
  setRowCount(rowCount);
}

void StringGrid::setColCount(int count) {
  colCount_ = std::max(count, 1);
  colWidths_.resize(colCount_, kDefaultColWidth);
  for (QStringList& cells : rows_) cells.resize(colCount_);
  for (QList<CellMark>& marks : marks_) marks.resize(colCount_);
}

void StringGrid::setRowCount(int count) {
  const qsizetype oldCount = rows_.size();
  rows_.resize(std::max(count, 1));
  marks_.resize(rows_.size());
  for (qsizetype r = oldCount; r < rows_.size(); ++r) {
    rows_[r].resize(colCount_);
    marks_[r].resize(colCount_);
  }
  clampRow();
}

const QString& StringGrid::cell(int col, int row) const {
  static const QString outside;
  if (!inside(col, row)) return outside;
  return rows_.at(row).at(col);
}

QStringList StringGrid::rowCells(int row) const {
  return row >= 0 && row < rowCount() ? rows_.at(row) : QStringList();
}

void StringGrid::setCell(int col, int row, const QString& text) {
  if (!inside(col, row)) return;
  rows_[row][col] = text;
}

void StringGrid::clearRow(int row) {
  for (int col = 0; col < colCount_; ++col) {
    setCell(col, row, QString());
    setCellIcon(col, row, CellIcon::None, QString());
  }
}

CellIcon StringGrid::cellIcon(int col, int row) const {
  return inside(col, row) ? marks_.at(row).at(col).icon : CellIcon::None;
}

const QString& StringGrid::cellToolTip(int col, int row) const {
  static const QString outside;
  return inside(col, row) ? marks_.at(row).at(col).toolTip : outside;
}

void StringGrid::setCellIcon(int col, int row, CellIcon icon, const QString& toolTip) {
  if (!inside(col, row)) return;
  marks_[row][col] = {icon, toolTip};
}

int StringGrid::colWidth(int col) const {
  return col >= 0 && col < colCount_ ? colWidths_.at(col) : 0;
}

void StringGrid::setColWidth(int col, int width) {
  if (col >= 0 && col < colCount_) colWidths_[col] = width;
}

void StringGrid::setRow(int row) {
  row_ = row;
  clampRow();
}

void StringGrid::clampRow() {
  if (row_ < 0) return;  // no current row
  row_ = std::clamp(row_, std::min(fixedRows, rowCount() - 1), rowCount() - 1);
}
