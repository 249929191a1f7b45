#include "ownhistory/self_month.h"

#include <QDate>

#include "core/clock.h"
#include "core/timestamp.h"

namespace {
const QString kMonthFormat = QStringLiteral("yyyy-MM");
}

QString CurrentSelfMonth() {
  return Today().toString(kMonthFormat);
}

QString SelfMonthLabelText(const QString& selfMonth) {
  return MonthLabelText(selfMonth);
}

QString ShiftSelfMonth(const QString& selfMonth, int months) {
  QDate first = QDate::fromString(selfMonth + QStringLiteral("-01"), QStringLiteral("yyyy-MM-dd"));
  if (!first.isValid()) first = QDate(Today().year(), Today().month(), 1);
  return first.addMonths(months).toString(kMonthFormat);
}
