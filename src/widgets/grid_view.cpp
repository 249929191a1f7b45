#include "widgets/grid_view.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include "widgets/indicator_colours.h"
#include "windowmodel/string_grid.h"

namespace {

// A cell's CellIcon, as an int; an item without it has none.
constexpr int kCellIconRole = Qt::UserRole + 1;
constexpr int kIconDiameter = 8;
constexpr int kIconMargin = 4;  // between the icon and the cell's right edge

// Draws a cell as a table does, then its icon, if it has one, over the cell's right end: the text
// keeps its place and the columns and rows their sizes.
class CellIconDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    const QColor colour = IndicatorColour(static_cast<CellIcon>(index.data(kCellIconRole).toInt()));
    if (!colour.isValid()) return;
    const QRect& cell = option.rect;
    const QRectF circle(cell.right() + 1 - kIconMargin - kIconDiameter,
                        cell.top() + (cell.height() - kIconDiameter) / 2.0, kIconDiameter, kIconDiameter);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(colour);
    painter->drawEllipse(circle);
    painter->restore();
  }
};

void SetCell(QTableWidget* table, int tableRow, int col, const StringGrid& grid, int row, bool fixed) {
  QTableWidgetItem* item = table->item(tableRow, col);
  if (!item) {
    item = new QTableWidgetItem;
    table->setItem(tableRow, col, item);
  }
  const QString& text = grid.cell(col, row);
  if (item->text() != text) item->setText(text);
  const Qt::ItemFlags flags = fixed ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (item->flags() != flags) item->setFlags(flags);
  if (fixed) item->setBackground(table->palette().button());
  const int icon = static_cast<int>(grid.cellIcon(col, row));
  if (item->data(kCellIconRole).toInt() != icon) item->setData(kCellIconRole, icon);
  const QString& toolTip = grid.cellToolTip(col, row);
  if (item->toolTip() != toolTip) item->setToolTip(toolTip);
}

// A fixed first column stays in place when the grid scrolls sideways: its texts are shown as the
// table's row headers, the column itself is hidden, and a label in the corner carries its title.
void ShowFixedColumn(QTableWidget* table, const StringGrid& grid) {
  const bool fixed = grid.fixedCols >= 1 && grid.colCount() >= 1;
  auto* corner = table->findChild<QLabel*>(QStringLiteral("FixedColumnTitle"), Qt::FindDirectChildrenOnly);
  if (!fixed) {
    table->verticalHeader()->setVisible(false);
    if (grid.colCount() >= 1) table->setColumnHidden(0, false);
    if (corner) corner->hide();
    return;
  }
  QStringList names;
  for (int row = 1; row < grid.rowCount(); ++row) names << grid.cell(0, row);
  table->setVerticalHeaderLabels(names);
  table->verticalHeader()->setFixedWidth(grid.colWidth(0));
  table->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  table->verticalHeader()->setVisible(true);
  table->setColumnHidden(0, true);
  if (!corner) {
    corner = new QLabel(table);
    corner->setObjectName(QStringLiteral("FixedColumnTitle"));
    corner->setAlignment(Qt::AlignCenter);
    corner->setAutoFillBackground(true);
  }
  corner->setText(grid.cell(0, 0));
  corner->setGeometry(table->frameWidth(), table->frameWidth(), grid.colWidth(0), grid.defaultRowHeight + 1);
  corner->show();
  corner->raise();
}

}  // namespace

void SetUpGridTable(QTableWidget* table) {
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->verticalHeader()->setVisible(false);
  table->horizontalHeader()->setHighlightSections(false);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table->setWordWrap(false);
  table->setItemDelegate(new CellIconDelegate(table));
}

void ShowStringGrid(QTableWidget* table, const StringGrid& grid) {
  const QSignalBlocker blocker(table);
  table->setSelectionBehavior(grid.rowSelect ? QAbstractItemView::SelectRows
                                             : QAbstractItemView::SelectItems);
  table->verticalHeader()->setDefaultSectionSize(grid.defaultRowHeight + 1);
  table->horizontalHeader()->setFixedHeight(grid.defaultRowHeight + 1);
  table->setHorizontalScrollBarPolicy(grid.horizontalScrollBar ? Qt::ScrollBarAsNeeded
                                                               : Qt::ScrollBarAlwaysOff);
  table->setVerticalScrollBarPolicy(grid.verticalScrollBar ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  table->setColumnCount(grid.colCount());
  table->setRowCount(grid.rowCount() - 1);
  QStringList headers;
  for (int col = 0; col < grid.colCount(); ++col) {
    headers << grid.cell(col, 0);
    table->setColumnWidth(col, grid.colWidth(col));
  }
  table->setHorizontalHeaderLabels(headers);
  ShowFixedColumn(table, grid);
  for (int row = 1; row < grid.rowCount(); ++row) {
    for (int col = 0; col < grid.colCount(); ++col) {
      SetCell(table, TableRowOfGridRow(row), col, grid, row, col < grid.fixedCols);
    }
  }
  // The highlight is the selection: a grid without a current row shows none.
  const int current = grid.row() < 0 ? -1 : TableRowOfGridRow(grid.row());
  if (current >= 0 && current < table->rowCount()) {
    if (table->currentRow() != current) table->setCurrentCell(current, 0);
  } else if (table->currentRow() >= 0 || !table->selectedItems().isEmpty()) {
    table->selectionModel()->clearCurrentIndex();
    table->clearSelection();
  }
}
