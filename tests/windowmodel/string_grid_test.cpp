#include <gtest/gtest.h>

#include <functional>

#include "qt_printers.h"

#include "windowmodel/string_grid.h"

namespace {

struct IconCase {
  const char* name;
  std::function<void(StringGrid&)> change;
  int col;
  int row;
  CellIcon icon;
  const char* toolTip;
  const char* text;
};

// A grid of three columns and four rows, two cells of which carry an icon.
StringGrid GridWithIcons() {
  StringGrid grid(3, 4);
  grid.setCell(1, 2, QStringLiteral("山田 太郎"));
  grid.setCellIcon(1, 2, CellIcon::Red, QStringLiteral("併用禁忌 1件"));
  grid.setCell(2, 3, QStringLiteral("佐藤 花子"));
  grid.setCellIcon(2, 3, CellIcon::Amber, QStringLiteral("未確認 2剤"));
  return grid;
}

void Nothing(StringGrid&) {}

TEST(StringGridTest, keepsEachCellsIconWithItsText) {
  const IconCase cases[] = {
      {"read back", Nothing, 1, 2, CellIcon::Red, "併用禁忌 1件", "山田 太郎"},
      {"read back, another", Nothing, 2, 3, CellIcon::Amber, "未確認 2剤", "佐藤 花子"},
      {"a cell never set", Nothing, 0, 2, CellIcon::None, "", ""},
      {"replaced", [](StringGrid& g) { g.setCellIcon(1, 2, CellIcon::Green, QStringLiteral("所見なし")); }, 1,
       2, CellIcon::Green, "所見なし", "山田 太郎"},
      {"taken off", [](StringGrid& g) { g.setCellIcon(1, 2, CellIcon::None, QString()); }, 1, 2,
       CellIcon::None, "", "山田 太郎"},
      {"column past the end", Nothing, 3, 2, CellIcon::None, "", ""},
      {"column before the start", Nothing, -1, 2, CellIcon::None, "", ""},
      {"row past the end", Nothing, 1, 4, CellIcon::None, "", ""},
      {"row before the start", Nothing, 1, -1, CellIcon::None, "", ""},
      {"set outside, then the grid grows",
       [](StringGrid& g) {
         g.setCellIcon(1, 4, CellIcon::Red, QStringLiteral("外"));
         g.setRowCount(5);
       },
       1, 4, CellIcon::None, "", ""},
      {"cut off by a smaller row count, then grown again",
       [](StringGrid& g) {
         g.setRowCount(2);
         g.setRowCount(4);
       },
       1, 2, CellIcon::None, "", ""},
      {"a row the smaller row count keeps", [](StringGrid& g) { g.setRowCount(3); }, 1, 2, CellIcon::Red,
       "併用禁忌 1件", "山田 太郎"},
      {"cut off by a smaller column count, then grown again",
       [](StringGrid& g) {
         g.setColCount(1);
         g.setColCount(3);
       },
       1, 2, CellIcon::None, "", ""},
      {"the same column count keeps them", [](StringGrid& g) { g.setColCount(3); }, 2, 3, CellIcon::Amber,
       "未確認 2剤", "佐藤 花子"},
      {"clearRow", [](StringGrid& g) { g.clearRow(2); }, 1, 2, CellIcon::None, "", ""},
      {"clearRow of another row", [](StringGrid& g) { g.clearRow(3); }, 1, 2, CellIcon::Red, "併用禁忌 1件",
       "山田 太郎"},
      {"a list's reset",
       [](StringGrid& g) {
         g.setRowCount(2);
         g.clearRow(1);
         g.setRowCount(4);
       },
       2, 3, CellIcon::None, "", ""},
  };
  for (const IconCase& c : cases) {
    SCOPED_TRACE(c.name);
    StringGrid grid = GridWithIcons();
    c.change(grid);
    EXPECT_EQ(grid.cellIcon(c.col, c.row), c.icon);
    EXPECT_EQ(grid.cellToolTip(c.col, c.row), QString::fromUtf8(c.toolTip));
    EXPECT_EQ(grid.cell(c.col, c.row), QString::fromUtf8(c.text));
  }
}

}  // namespace
