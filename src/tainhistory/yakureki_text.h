#pragma once

#include <QList>
#include <QString>

#include "tainhistory/prescription.h"

// The medication-history text of the records, one block per event, newest day first, every line
// ended by CR LF. An empty filter argument switches that filter off; pharmacy events never appear.
//   institutionFilter: only events whose trimmed name equals it
//   excludeInstCd:     no events whose code ends with it
//   onlyInstCd:        only events whose code ends with it
//   monthFilter:       only events of that month "yyyy-mm"
//   bLatestOnly:       of each institution only the events of its newest day
QString BuildYakurekiText(const QList<TPrescription>& prescList, const QString& InstitutionFilter,
                          const QString& ExcludeInstCd, const QString& OnlyInstCd, const QString& MonthFilter,
                          bool bLatestOnly);

// The detail view of one institution, as the window shows it.
struct TainDetailView {
  bool btnBackVisible = true;
  QString labelTainName;
  QString labelTainMonth;
  QString memoTain;
};
TainDetailView TainDetailOf(const QList<TPrescription>& prescList, const QString& institution);
