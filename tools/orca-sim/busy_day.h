#pragma once

#include "demo_builder.h"
#include "demo_catalog.h"

// A busy day: today's list with a chosen number of receptions. It starts with the demo day's own
// receptions, goes on with the patients only seen yesterday, then with made-up patients; the first 13 in
// 22 are billed, as on the demo day, the rest are in progress.
QList<ReceptionSeed> BusyDaySeeds(int count);
// How many made-up patients a day of `count` receptions needs; none for the demo day's own list (-1).
int BusyDayMadeUpPatients(int count);
// Online information for a share of the made-up patients, so that the list's marks vary as in a clinic.
void AddBusyDayOnlineData(DemoBuilder& b, const QList<DemoPatient>& madeUp);
