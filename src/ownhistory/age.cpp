#include "ownhistory/age.h"

std::optional<int> CalendarAge(const QDate& birthDate, const QDate& today) {
  if (!birthDate.isValid() || !today.isValid() || birthDate > today) return std::nullopt;
  int age = today.year() - birthDate.year();
  // Comparing month and day rather than building this year's birthday keeps 29 February apart
  // from 28 February: in a common year the birthday has passed only on 1 March.
  const bool beforeBirthday = today.month() < birthDate.month() ||
                              (today.month() == birthDate.month() && today.day() < birthDate.day());
  if (beforeBirthday) --age;
  return age;
}

QString AgeLabelText(const QString& birthDate, const QDate& today) {
  bool yearOk = false, monthOk = false, dayOk = false;
  const int year = birthDate.mid(0, 4).toInt(&yearOk);
  const int month = birthDate.mid(5, 2).toInt(&monthOk);
  const int day = birthDate.mid(8, 2).toInt(&dayOk);
  if (!yearOk || !monthOk || !dayOk || year < 1) return QString();
  const std::optional<int> age = CalendarAge(QDate(year, month, day), today);
  return age ? QString::number(*age) + QStringLiteral("歳") : QString();
}
