#pragma once

#include <QList>
#include <QString>

#include "medcheck/check_indicator.h"
#include "windowmodel/string_grid.h"

// A patient as the patient grid lists it.
struct ListedPatient {
  QString number;
  QString name;
  bool marked = false;  // ORCA relays online eligibility-confirmation information about them
  bool operator==(const ListedPatient&) const = default;
};

// The grid's empty state: the header row (row number, "カルテ番号", "患者氏名", "マイナ"), one
// blank row, the column widths and the row height. The current row is left as it is.
void ResetPatientGrid(StringGrid& grid);

// The grid cleared and then holding the patients, row i the i-th of them with its running number,
// or the blank row when there are none.
void FillPatientGrid(StringGrid& grid, const QList<ListedPatient>& patients);

// The patient numbers of the data rows, as the cells hold them.
QStringList PatientNumbersOf(const StringGrid& grid);

// Marks the rows whose patient is marked; a mark already there stays, whatever the list says.
void MarkPatientRows(StringGrid& grid, const QList<bool>& marked);

// Marks one data row (1 for the first).
void MarkPatientRow(StringGrid& grid, int row);
// The medication check's outcome of a data row's patient, prepared ahead: a small icon in the name
// cell in the indicator's colour, the indicator's text as its tool tip; none without a check.
void ShowRowCheck(StringGrid& grid, int row, const CheckIndicator* indicator);
