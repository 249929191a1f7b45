#pragma once

class QTableWidget;
class StringGrid;

// A string grid shown in a table widget: grid row 0 is the table's header, grid row r the
// table's row r - 1. The table's signals are blocked while it is filled, so that only the
// user's own selections reach the handlers. A cell's icon is drawn at its right end, over the cell
// as it is, and its tool tip is the item's; the header row and a fixed first column, shown as the
// table's headers, carry neither.
void SetUpGridTable(QTableWidget* table);
void ShowStringGrid(QTableWidget* table, const StringGrid& grid);

// Grid row of a table row, and back.
inline int GridRowOfTableRow(int tableRow) {
  return tableRow + 1;
}
inline int TableRowOfGridRow(int gridRow) {
  return gridRow - 1;
}
