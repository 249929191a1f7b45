#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "tainhistory/prescription.h"

// The drug-information window's five working lists. A load empties and refills them; the grid and
// the texts are redrawn from them without new requests.
struct TainLists {
  QStringList monthList;  // FMonthList: months "yyyy-mm" asked in the second drug-information phase
  QList<TPrescription> prescriptions;  // FPrescList: in arrival order
  QStringList institutionMonths;       // FInstMonthMap: name + "|" + month, from the drug summary
  QStringList checkUpDates;            // FTkkDates: check-up dates, "yyyy-mm-dd"
  QStringList
      treatmentMonths;  // FMedInstMonths: name + "=" + month, from treatment records and the saved PDF
};

// The lists hold no duplicates; entries are compared whole, without regard to letter case.
bool ContainsEntry(const QStringList& list, const QString& entry);
// True when the entry was appended.
bool AppendUnlessPresent(QStringList& list, const QString& entry);
