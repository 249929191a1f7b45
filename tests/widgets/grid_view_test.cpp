#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>

#include "qt_printers.h"
#include "widgets/grid_view.h"
#include "widgets/indicator_colours.h"
#include "windowmodel/string_grid.h"

namespace {

// A patient list's columns: number, name, mark; two patients.
StringGrid PatientList() {
  StringGrid grid(3, 3);
  const QString headers[] = {QStringLiteral("番号"), QStringLiteral("患者氏名"), QStringLiteral("マイナ")};
  const int widths[] = {30, 160, 45};
  for (int col = 0; col < 3; ++col) {
    grid.setCell(col, 0, headers[col]);
    grid.setColWidth(col, widths[col]);
  }
  grid.setCell(0, 1, QStringLiteral("1"));
  grid.setCell(1, 1, QStringLiteral("山田 太郎"));
  grid.setCell(0, 2, QStringLiteral("2"));
  grid.setCell(1, 2, QStringLiteral("佐藤 花子"));
  grid.defaultRowHeight = 20;
  grid.rowSelect = true;
  grid.setRow(2);
  return grid;
}

// A table cell's rectangle in the table's own coordinates, as grab() draws it.
QRect CellRect(const QTableWidget& table, int tableRow, int col) {
  return table.visualItemRect(table.item(tableRow, col))
      .translated(table.viewport()->mapTo(&table, QPoint()));
}

int PixelsOf(const QImage& image, const QRect& rect, const QColor& colour) {
  int count = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(); x <= rect.right(); ++x) {
      if (image.pixelColor(x, y) == colour) ++count;
    }
  }
  return count;
}

QImage Grab(QTableWidget& table) {
  QCoreApplication::processEvents();
  return table.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(GridViewTest, drawsACellsIconAtItsRightEndAndLeavesTheRestAsItWas) {
  StringGrid grid = PatientList();
  QTableWidget table;
  SetUpGridTable(&table);
  ShowStringGrid(&table, grid);
  table.resize(300, 120);
  table.show();
  const QImage plain = Grab(table);
  const bool scrollBars = table.horizontalScrollBar()->isVisible() || table.verticalScrollBar()->isVisible();
  const int rowHeight = table.rowHeight(0);

  grid.setCellIcon(1, 1, CellIcon::Red, QStringLiteral("併用禁忌 1件"));
  ShowStringGrid(&table, grid);
  const QImage marked = Grab(table);

  const QColor red = IndicatorColour(CellIcon::Red);
  const QRect cell = CellRect(table, 0, 1);
  EXPECT_GE(PixelsOf(marked, cell, red), 20) << "a filled circle of some 8 px";
  EXPECT_EQ(PixelsOf(marked, CellRect(table, 1, 1), red), 0);
  EXPECT_EQ(PixelsOf(marked, marked.rect(), red), PixelsOf(marked, cell, red));
  EXPECT_EQ(table.item(0, 1)->toolTip(), QStringLiteral("併用禁忌 1件"));
  EXPECT_TRUE(table.item(1, 1)->toolTip().isEmpty());
  EXPECT_TRUE(table.item(0, 0)->toolTip().isEmpty());

  // The text, the columns and the rows stay where they were: only the cell's right end differs.
  EXPECT_EQ(table.item(0, 1)->text(), QStringLiteral("山田 太郎"));
  for (int col = 0; col < grid.colCount(); ++col) EXPECT_EQ(table.columnWidth(col), grid.colWidth(col));
  EXPECT_EQ(table.rowHeight(0), rowHeight);
  EXPECT_EQ(table.horizontalScrollBar()->isVisible() || table.verticalScrollBar()->isVisible(), scrollBars);
  ASSERT_EQ(marked.size(), plain.size());
  const QRect rightEnd(cell.right() - cell.height() + 1, cell.top(), cell.height(), cell.height());
  int changed = 0;
  int outside = 0;
  QPoint firstOutside;
  for (int y = 0; y < plain.height(); ++y) {
    for (int x = 0; x < plain.width(); ++x) {
      if (plain.pixel(x, y) == marked.pixel(x, y)) continue;
      ++changed;
      if (!rightEnd.contains(x, y) && outside++ == 0) firstOutside = QPoint(x, y);
    }
  }
  EXPECT_EQ(outside, 0) << "first at " << firstOutside.x() << "," << firstOutside.y();
  EXPECT_GT(changed, 0);

  // Showing the same grid again changes nothing in the table.
  QSignalSpy changes(table.model(), &QAbstractItemModel::dataChanged);
  ShowStringGrid(&table, grid);
  EXPECT_EQ(changes.count(), 0);

  // Without its icon the cell is drawn as before one was set.
  grid.setCellIcon(1, 1, CellIcon::None, QString());
  ShowStringGrid(&table, grid);
  EXPECT_TRUE(table.item(0, 1)->toolTip().isEmpty());
  EXPECT_EQ(Grab(table), plain);
}

}  // namespace
