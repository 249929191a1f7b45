#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "tainhistory/tain_lists.h"
#include "windowmodel/string_grid.h"

inline const QString kReceiptMark = QStringLiteral("\u25CB");  // a dispensing record that month
inline const QString kKnownMark = QStringLiteral("*");         // known from a summary, no record
inline const QString kCheckUpMark = QStringLiteral("T");
inline const QString kCheckUpRowName = QStringLiteral("特定健診");

// The consultation-history grid (GridInstitution): row 0 the month headers, column 0 the
// institutions, newest month first.

// The grid's starting state: the header "医療機関名", one empty month header and one empty row.
void ResetInstitutionGrid(StringGrid& grid);

// Everything the overview puts on the window.
struct TainOverview {
  StringGrid grid{2, 2};       // a vertical scroll bar once the rows do not fit
  int panelTopGridHeight = 0;  // PanelTopGrid
  bool btnBackVisible = false;
  QString labelTainName = QStringLiteral("他院");
  QString memoTain;
};

// The grid and the overview text, drawn from the lists alone; sends nothing. The check-up row takes
// the months of the check-up dates, or, when the online answer gave none, `checkUpPdfMonth`: the
// month of the patient's saved check-up PDF, when there is one.
StringGrid BuildInstitutionGrid(const TainLists& lists, const QString& ownInstitutionCode,
                                const std::optional<QString>& checkUpPdfMonth = std::nullopt);
TainOverview TainOverviewOf(const TainLists& lists, const QString& ownInstitutionCode,
                            const std::optional<QString>& checkUpPdfMonth = std::nullopt);

// The panel holds the 22-pixel title and at most ten grid rows; more rows scroll.
int PanelTopGridHeight(int rowCount, int defaultRowHeight);
bool RowsScroll(int rowCount);

// The institution a double-click on the row opens: the trimmed name in column 0; "" for the header
// row, for rows outside the grid and for unnamed rows.
QString InstitutionAtRow(const StringGrid& grid, int row);
