#pragma once

#include "demo_data.h"

// Adds a patient's online information to the demo data, dated in months back from its day.
struct DemoBuilder {
  DemoData& d;

  // Drug information dispensed on `day` of each month back; an empty prescriber: dispensed in house.
  void drugs(int patient, const QList<int>& monthsBack, int day, const Institution& dispenser,
             const Institution& prescriber, const QList<OnlineDrug>& lines);
  // Treatment records; inOut "1" is an inpatient day.
  void treated(int patient, const QList<int>& monthsBack, int day, const Institution& where,
               const QString& inOut = QStringLiteral("2"));
  void checkup(int patient, int monthsBack, int day);
};
