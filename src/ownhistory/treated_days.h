#pragma once

#include <QString>
#include <QStringList>

// The days of `month` ("yyyy-mm") flagged "1" in the month overview's `Perform_Calendar` values,
// each once, newest first ("yyyy-mm-dd"). A flag's position is its day; it is not checked against
// the length of the month.
QStringList TreatedDays(const QStringList& overviewLines, const QString& month);

// Whether the month overview names a drug: drug codes begin with "6".
bool OverviewHasDrugCode(const QStringList& overviewLines);
