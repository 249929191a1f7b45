#include "tainhistory/institution_grid.h"

#include <algorithm>

#include "orca/response_reader.h"
#include "tainhistory/institution_codes.h"
#include "tainhistory/yakureki_text.h"

namespace {

const QString kNameHeader = QStringLiteral("医療機関名");
constexpr int kNameWidth = 160;
constexpr int kMonthWidth = 80;
constexpr int kRowHeight = 18;
constexpr int kVisibleRows = 10;
constexpr int kTitleHeight = 22;
constexpr int kPanelMargin = 8;

struct SplitEntry {
  QString name;
  QString month;
};

std::optional<SplitEntry> Split(const QString& entry, QChar separator) {
  const qsizetype at = entry.indexOf(separator);
  if (at < 0) return std::nullopt;
  return SplitEntry{entry.left(at), entry.mid(at + 1)};
}

QString MonthOfCheckUp(const QString& date) {
  return date.mid(0, 4) + QLatin1Char('-') + date.mid(5, 2);
}

void AddUnlessPresent(QStringList& list, const QString& text) {
  if (!list.contains(text)) list.append(text);
}

// Rows from the institution-month lists: only names that read as an institution count.
void AddListedRows(const QStringList& entries, QChar separator, QStringList& rows, QStringList& months) {
  for (const QString& entry : entries) {
    const std::optional<SplitEntry> e = Split(entry, separator);
    if (!e || !IsInstitutionName(e->name)) continue;
    if (!rows.contains(e->name, Qt::CaseInsensitive)) rows.append(e->name);
    AddUnlessPresent(months, e->month);
  }
}

int RowNamed(const StringGrid& grid, const QString& name) {
  for (int r = 1; r < grid.rowCount(); ++r) {
    if (grid.cell(0, r) == name) return r;
  }
  return -1;
}

int ColumnOf(const StringGrid& grid, const QString& month) {
  const qsizetype at = grid.rowCells(0).indexOf(month, 1);
  return at < 0 ? -1 : static_cast<int>(at);
}

void PutKnownMarks(StringGrid& grid, const QStringList& entries, QChar separator) {
  for (const QString& entry : entries) {
    const std::optional<SplitEntry> e = Split(entry, separator);
    if (!e) continue;
    const int row = RowNamed(grid, e->name);
    const int col = ColumnOf(grid, e->month);
    if (row < 0 || col < 0) continue;
    if (TrimBlanksAndControls(grid.cell(col, row)).isEmpty()) grid.setCell(col, row, kKnownMark);
  }
}

}  // namespace

void ResetInstitutionGrid(StringGrid& grid) {
  for (int row = 1; row < grid.rowCount(); ++row) grid.clearRow(row);
  grid.setColCount(2);
  grid.setRowCount(2);
  grid.setCell(0, 0, kNameHeader);
  grid.setCell(1, 0, QString());
  grid.setColWidth(0, kNameWidth);
  grid.setColWidth(1, kMonthWidth);
  grid.fixedRows = 1;
  grid.fixedCols = 1;
  grid.defaultRowHeight = kRowHeight;
  grid.rowSelect = true;
}

StringGrid BuildInstitutionGrid(const TainLists& lists, const QString& ownInstitutionCode,
                                const std::optional<QString>& checkUpPdfMonth) {
  QStringList rows;
  QStringList months;
  for (const TPrescription& p : lists.prescriptions) {
    if (EndsWithInstCd(p.InstitutionCd, ownInstitutionCode)) continue;
    if (!rows.contains(p.InstitutionName)) rows.append(p.InstitutionName);
    AddUnlessPresent(months, MonthOfPrescDate(p.PrescDate));
  }
  AddListedRows(lists.institutionMonths, QLatin1Char('|'), rows, months);
  AddListedRows(lists.treatmentMonths, QLatin1Char('='), rows, months);

  QStringList checkUpMonths;
  if (!lists.checkUpDates.isEmpty()) {
    for (const QString& date : lists.checkUpDates) checkUpMonths << MonthOfCheckUp(date);
  } else if (checkUpPdfMonth) {
    checkUpMonths << *checkUpPdfMonth;
  }
  const bool hasCheckUp = !checkUpMonths.isEmpty();
  for (const QString& month : std::as_const(checkUpMonths)) AddUnlessPresent(months, month);

  std::sort(months.begin(), months.end(), std::greater<QString>());
  StringGrid grid(2, 2);
  ResetInstitutionGrid(grid);
  grid.setColCount(std::max<int>(static_cast<int>(months.size()) + 1, 2));
  grid.setRowCount(static_cast<int>(rows.size()) + 1);
  grid.fixedCols = grid.rowCount() >= 2 ? 1 : 0;
  for (int col = 1; col < grid.colCount(); ++col) {
    grid.setCell(col, 0, months.value(col - 1));
    grid.setColWidth(col, kMonthWidth);
  }
  for (int row = 1; row < grid.rowCount(); ++row) grid.setCell(0, row, rows.at(row - 1));

  for (const TPrescription& p : lists.prescriptions) {
    if (EndsWithInstCd(p.InstitutionCd, ownInstitutionCode) || IsPharmacyInstCd(p.InstitutionCd)) continue;
    const int row = RowNamed(grid, p.InstitutionName);
    const int col = ColumnOf(grid, MonthOfPrescDate(p.PrescDate));
    if (row >= 0 && col >= 0) grid.setCell(col, row, kReceiptMark);
  }
  PutKnownMarks(grid, lists.institutionMonths, QLatin1Char('|'));
  PutKnownMarks(grid, lists.treatmentMonths, QLatin1Char('='));

  if (hasCheckUp) {
    const int row = grid.rowCount();
    grid.setRowCount(row + 1);
    grid.setCell(0, row, kCheckUpRowName);
    for (const QString& month : std::as_const(checkUpMonths)) {
      const int col = ColumnOf(grid, month);
      if (col >= 0) grid.setCell(col, row, kCheckUpMark);
    }
  }
  grid.verticalScrollBar = RowsScroll(grid.rowCount());
  return grid;
}

int PanelTopGridHeight(int rowCount, int defaultRowHeight) {
  const int shown = std::min(std::max(rowCount, 2), kVisibleRows);
  return shown * (defaultRowHeight + 1) + kTitleHeight + kPanelMargin;
}

bool RowsScroll(int rowCount) {
  return rowCount > kVisibleRows;
}

TainOverview TainOverviewOf(const TainLists& lists, const QString& ownInstitutionCode,
                            const std::optional<QString>& checkUpPdfMonth) {
  TainOverview overview;
  overview.grid = BuildInstitutionGrid(lists, ownInstitutionCode, checkUpPdfMonth);
  overview.panelTopGridHeight = PanelTopGridHeight(overview.grid.rowCount(), overview.grid.defaultRowHeight);
  overview.memoTain =
      BuildYakurekiText(lists.prescriptions, QString(), ownInstitutionCode, QString(), QString(), true);
  return overview;
}

QString InstitutionAtRow(const StringGrid& grid, int row) {
  if (row < 1 || row >= grid.rowCount()) return QString();
  return TrimBlanksAndControls(grid.cell(0, row));
}
