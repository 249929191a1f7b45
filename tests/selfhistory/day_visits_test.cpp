#include <gtest/gtest.h>

#include "self_orca.h"
#include "selfhistory/day_department.h"

namespace {
QStringList LinesOf(const QByteArray& answer) {
  return QString::fromUtf8(answer).split(u'\n');
}
}  // namespace

TEST(DayDepartment, isTheDepartmentOfTheVisitOnThatDay) {
  const QStringList month = LinesOf(DayVisitsAnswer({{QStringLiteral("2024-05-02"), QStringLiteral("01")},
                                                     {QStringLiteral("2024-05-13"), QStringLiteral("13")},
                                                     {QStringLiteral("2024-05-13"), QStringLiteral("01")}}));
  struct Case {
    const char* day;
    std::optional<QString> department;
  } cases[] = {
      {"2024-05-02", QStringLiteral("01")},
      {"2024-05-13", QStringLiteral("13")},  // the first visit of that day
      {"2024-05-20", QStringLiteral("01")},  // no visit on that day: the answer's first department
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.day);
    EXPECT_EQ(DayDepartment(month, QString::fromLatin1(c.day)), c.department);
  }
}

TEST(DayDepartment, anAnswerWithoutDepartmentGivesNone) {
  EXPECT_EQ(DayDepartment(LinesOf(DayVisitsAnswer({})), QStringLiteral("2024-05-13")), std::nullopt);
}
