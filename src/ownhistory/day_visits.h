#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One visit of a treated day, as the acts of the day are asked for: ORCA's class-02 answer holds
// the acts of one visit, chosen by its department and its sequential number (the second visit of
// a department on one day is number 2).
struct DayVisit {
  QString department;
  QString sequentialNumber;  // empty when the visit names none
  bool operator==(const DayVisit&) const = default;
};

// The visits to ask the day's acts of, from the answer to the day query: every visit dated `day`
// ("yyyy-mm-dd") that names a department, each department and sequential number once, in answer
// order. ORCA answers that query with every visit of the day's month, so the date picks them; only
// when no visit carries that date does the first visit that names a department stand in. Empty
// when the answer names no department.
QList<DayVisit> DayVisits(const QStringList& dayQueryLines, const QString& day);
