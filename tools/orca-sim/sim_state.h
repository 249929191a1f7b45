#pragma once

#include <QDate>
#include <QString>

#include "demo_data.h"

// What the control calls changed, kept in a file so that a simulator started again (ORCA restarted)
// answers the same day: one line a change, "<date> accept <patient>" or
// "<date> account <patient> <hh:mm:ss>". An empty file name keeps nothing.

// Appends one change of that day; a file that cannot be written is told on standard error once.
void RecordChange(const QString& file, const QDate& date, const QString& change);
// Makes the day's changes of the file again, in their order, on the day's demo data as first made.
void ReplayChanges(const QString& file, const QDate& date, DemoData& d);
