#include "selfhistory/self_month.h"

#include <QDate>

#include "core/clock.h"

namespace {
const QString kMonthFormat = QStringLiteral("yyyy-MM");
}

QString CurrentSelfMonth() {
  return Today().toString(kMonthFormat);
}

QString UpdateSelfMonthLabel(const QString& selfMonth) {
  if (selfMonth.isEmpty()) return QString();
  return selfMonth.mid(0, 4) + QStringLiteral("年") + selfMonth.mid(5, 2) + QStringLiteral("月");
}

QString ShiftSelfMonth(const QString& selfMonth, int months) {
  QDate first = QDate::fromString(selfMonth + QStringLiteral("-01"), QStringLiteral("yyyy-MM-dd"));
  if (!first.isValid()) first = QDate(Today().year(), Today().month(), 1);
  return first.addMonths(months).toString(kMonthFormat);
}
