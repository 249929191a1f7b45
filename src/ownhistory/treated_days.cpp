#include "ownhistory/treated_days.h"

#include <algorithm>
#include <functional>

#include "orca/response_reader.h"

QStringList TreatedDays(const QStringList& overviewLines, const QString& month) {
  QStringList days;
  QString flags;
  for (const QString& line : overviewLines) {
    if (!ElementValue(line, QStringLiteral("Perform_Calendar"), &flags)) continue;
    for (qsizetype p = 1; p <= flags.size(); ++p) {
      if (flags.at(p - 1) != u'1') continue;
      const QString day = month + QStringLiteral("-%1").arg(p, 2, 10, QLatin1Char('0'));
      if (!days.contains(day)) days << day;
    }
  }
  std::sort(days.begin(), days.end(), std::greater<QString>());
  return days;
}

bool OverviewHasDrugCode(const QStringList& overviewLines) {
  const QString drugCode = OpeningTag(QStringLiteral("Medication_Code")) + QLatin1Char('6');
  return std::any_of(overviewLines.cbegin(), overviewLines.cend(),
                     [&](const QString& line) { return line.contains(drugCode); });
}
