#include "live_receptions.h"

#include <algorithm>

#include "demo_catalog.h"

namespace {

const QString kTimeForm = QStringLiteral("HH:mm:ss");

// Receptions come a few minutes apart, and a long run piles up at the day's last second rather than
// wrapping past midnight.
QString NextFreeTime(const DemoData& d) {
  QTime last;
  for (const Reception& r : d.receptions) {
    if (r.date == d.today) last = QTime::fromString(r.time, kTimeForm);
  }
  if (!last.isValid()) return QStringLiteral("08:50:00");
  const int seconds = std::min(last.msecsSinceStartOfDay() / 1000 + 4 * 60, 24 * 3600 - 1);
  return QTime::fromMSecsSinceStartOfDay(seconds * 1000).toString(kTimeForm);
}

}  // namespace

std::optional<qsizetype> AppendReception(DemoData& d, int patient) {
  if (!d.patient(patient)) return std::nullopt;
  QString department = QStringLiteral("01");
  for (const Reception& r : d.receptions) {
    if (r.patientId == patient) {
      department = r.department;
      break;
    }
  }
  d.receptions << Reception{d.today, NextFreeTime(d), department, patient, QString()};
  return d.receptions.size() - 1;
}

std::optional<qsizetype> BillLastOpenReception(DemoData& d, int patient, const QTime& clock) {
  for (qsizetype i = d.receptions.size() - 1; i >= 0; --i) {
    Reception& r = d.receptions[i];
    if (r.date != d.today || r.patientId != patient || !r.accountTime.isEmpty()) continue;
    r.accountTime = std::max(clock, QTime::fromString(r.time, kTimeForm)).toString(kTimeForm);
    int invoice = 0;
    for (const OwnVisit& v : d.visits) invoice = std::max(invoice, v.invoice.toInt());
    // Today is the newest day of the records, so the visit list stays in date order.
    d.visits << OwnVisit{patient,
                         d.today,
                         r.department,
                         QString::number(invoice + 1).rightJustified(7, QLatin1Char('0')),
                         DemoRegimen(patient, r.department),
                         NextSequentialNumber(d, patient, d.today, r.department)};
    return i;
  }
  return std::nullopt;
}

QString AcceptanceId(const DemoData& d, qsizetype index) {
  int id = 0;
  for (qsizetype i = 0; i <= index; ++i) {
    if (d.receptions[i].date == d.receptions[index].date) ++id;
  }
  return QStringLiteral("%1").arg(id, 5, 10, QLatin1Char('0'));
}
