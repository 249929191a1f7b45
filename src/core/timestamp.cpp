#include "core/timestamp.h"

#include "core/clock.h"

QString IFGetHzk15() {
  return Now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString LogTimestamp(const QDateTime& moment) {
  const QString date = moment.date().toString(QStringLiteral("yyyy/MM/dd"));
  if (moment.time() == QTime(0, 0, 0, 0)) return date;
  return date + QLatin1Char(' ') + moment.time().toString(QStringLiteral("H:mm:ss"));
}

QString MonthLabelText(const QString& month) {
  if (month.isEmpty()) return QString();
  return month.mid(0, 4) + QStringLiteral("年") + month.mid(5, 2) + QStringLiteral("月");
}
