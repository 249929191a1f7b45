#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "history/tain_lists.h"

// The consultation-history grid as the view must show it: row 0 the month headers, column 0 the
// institutions, newest month first.
struct InstitutionGrid {
  QList<QStringList> cells;  // cells[row][col]
  int rowCount = 0;
  int colCount = 0;
  QList<int> colWidths;
  int fixedRows = 1;
  int fixedCols = 1;
  int defaultRowHeight = 18;

  QString cell(int col, int row) const;  // "" outside the grid
};

inline const QString kReceiptMark = QStringLiteral("\u25CB");  // a dispensing record that month
inline const QString kKnownMark = QStringLiteral("*");         // known from a summary, no record
inline const QString kCheckUpMark = QStringLiteral("T");
inline const QString kCheckUpRowName = QStringLiteral("特定健診");

// The grid's starting state: the header "医療機関名" and one empty month header.
InstitutionGrid ClearInstitutionGrid();

// The month "yyyy-mm" of the patient's saved check-up PDF, or nothing when there is none. Asked only
// when the online check-up answer gave no dates.
using CheckUpPdfMonth = std::function<std::optional<QString>()>;

enum class GridScrollBars { Horizontal, Both };

// Everything the overview puts on the window.
struct TainOverview {
  InstitutionGrid grid;
  int panelTopGridHeight = 0;  // PanelTopGrid
  GridScrollBars scrollBars = GridScrollBars::Horizontal;
  bool btnBackVisible = false;
  QString labelTainName = QStringLiteral("他院");
  QString memoTain;
};

// The grid and the overview text, drawn from the lists alone; sends nothing.
InstitutionGrid BuildInstitutionGrid(const TainLists& lists, const QString& FSelfInstCd,
                                     const CheckUpPdfMonth& checkUpPdfMonth = {});
TainOverview DisplayTainYakureki(const TainLists& lists, const QString& FSelfInstCd,
                                 const CheckUpPdfMonth& checkUpPdfMonth = {});

// The panel holds the 22-pixel title and at most ten grid rows; more rows scroll.
int PanelTopGridHeight(int rowCount, int defaultRowHeight);
GridScrollBars ScrollBarsFor(int rowCount);

// The institution a double-click on the row opens: the trimmed name in column 0; "" for the header
// row, for rows outside the grid and for unnamed rows.
QString InstitutionAtRow(const InstitutionGrid& grid, int row);
