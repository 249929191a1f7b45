#include <gtest/gtest.h>

#include "self_orca.h"
#include "ownhistory/day_visits.h"

namespace {
QStringList LinesOf(const QByteArray& answer) {
  return QString::fromUtf8(answer).split(u'\n');
}
DayVisit V(const char* department, const char* sequentialNumber = "") {
  return {QString::fromLatin1(department), QString::fromLatin1(sequentialNumber)};
}
}  // namespace

TEST(DayVisits, areTheVisitsOnThatDayEachOnce) {
  const QStringList month =
      LinesOf(DayVisitsAnswer({{QStringLiteral("2024-05-02"), QStringLiteral("01"), QStringLiteral("1")},
                               {QStringLiteral("2024-05-13"), QStringLiteral("13"), QStringLiteral("1")},
                               {QStringLiteral("2024-05-13"), QStringLiteral("01"), QStringLiteral("1")},
                               {QStringLiteral("2024-05-13"), QStringLiteral("13"), QStringLiteral("2")},
                               {QStringLiteral("2024-05-13"), QStringLiteral("13"), QStringLiteral("2")},
                               {QStringLiteral("2024-05-20"), QStringLiteral("01")}}));
  struct Case {
    const char* day;
    QList<DayVisit> visits;
  } cases[] = {
      {"2024-05-02", {V("01", "1")}},
      {"2024-05-13", {V("13", "1"), V("01", "1"), V("13", "2")}},  // in answer order, the repeat once
      {"2024-05-20", {V("01")}},                                   // a visit that names no number
      {"2024-05-27", {V("01", "1")}},  // no visit on that day: the answer's first visit stands in
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.day);
    EXPECT_EQ(DayVisits(month, QString::fromLatin1(c.day)), c.visits);
  }
}

TEST(DayVisits, anAnswerWithoutDepartmentGivesNone) {
  EXPECT_TRUE(DayVisits(LinesOf(DayVisitsAnswer({})), QStringLiteral("2024-05-13")).isEmpty());
}
