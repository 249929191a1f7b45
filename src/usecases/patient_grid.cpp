#include "usecases/patient_grid.h"

#include "patients/online_marks.h"

namespace {

enum Column { RowNumber, PatientNumber, PatientName, Mark, ColumnCount };

}  // namespace

void ResetPatientGrid(StringGrid& grid) {
  grid.setColCount(ColumnCount);
  grid.setRowCount(2);
  grid.clearRow(1);
  const QString headers[ColumnCount] = {QString(), QStringLiteral("カルテ番号"), QStringLiteral("患者氏名"),
                                        QStringLiteral("マイナ")};
  const int widths[ColumnCount] = {30, 80, 100, 45};
  for (int col = 0; col < ColumnCount; ++col) {
    grid.setCell(col, 0, headers[col]);
    grid.setColWidth(col, widths[col]);
  }
  grid.fixedRows = 1;
  grid.fixedCols = 0;
  grid.defaultRowHeight = 20;
  grid.rowSelect = true;
}

void FillPatientGrid(StringGrid& grid, const QList<ListedPatient>& patients) {
  ResetPatientGrid(grid);
  if (!patients.isEmpty()) grid.setRowCount(static_cast<int>(patients.size()) + 1);
  for (int row = 1; row <= patients.size(); ++row) {
    const ListedPatient& patient = patients.at(row - 1);
    grid.setCell(RowNumber, row, QString::number(row));
    grid.setCell(PatientNumber, row, patient.number);
    grid.setCell(PatientName, row, patient.name);
    grid.setCell(Mark, row, patient.marked ? kOnlineInformationMark : QString());
  }
}

QStringList PatientNumbersOf(const StringGrid& grid) {
  QStringList numbers;
  for (int row = 1; row < grid.rowCount(); ++row) numbers << grid.cell(PatientNumber, row);
  return numbers;
}

void MarkPatientRows(StringGrid& grid, const QList<bool>& marked) {
  for (int row = 1; row < grid.rowCount() && row <= marked.size(); ++row) {
    if (marked.at(row - 1)) grid.setCell(Mark, row, kOnlineInformationMark);
  }
}

void MarkPatientRow(StringGrid& grid, int row) {
  if (row >= 1 && row < grid.rowCount()) grid.setCell(Mark, row, kOnlineInformationMark);
}

void ShowRowCheck(StringGrid& grid, int row, const CheckIndicator* indicator) {
  CellIcon icon = CellIcon::None;
  if (indicator) {
    switch (indicator->tone) {
      case CheckTone::Alarm:
        icon = CellIcon::Red;
        break;
      case CheckTone::Caution:
        icon = CellIcon::Amber;
        break;
      case CheckTone::Clear:
        icon = CellIcon::Green;
        break;
      case CheckTone::Neutral:
        break;
    }
  }
  grid.setCellIcon(PatientName, row, icon, icon == CellIcon::None ? QString() : indicator->text);
}
