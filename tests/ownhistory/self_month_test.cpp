#include <gtest/gtest.h>

#include "core/clock.h"
#include "ownhistory/self_month.h"
#include "temp_program_folder.h"

using SelfMonth = TempProgramFolder;

TEST_F(SelfMonth, labelKeepsTheLeadingZero) {
  EXPECT_EQ(SelfMonthLabelText(QStringLiteral("2024-05")), QStringLiteral("2024年05月"));
  EXPECT_EQ(SelfMonthLabelText(QStringLiteral("2023-12")), QStringLiteral("2023年12月"));
  EXPECT_EQ(SelfMonthLabelText(QString()), QString());
}

TEST_F(SelfMonth, monthButtonsMoveOneMonthAcrossYears) {
  SetClockForTesting([] { return QDateTime(QDate(2024, 5, 31), QTime(9, 0)); });
  struct Case {
    const char* month;
    int by;
    const char* expected;
  } cases[] = {
      {"2024-01", -1, "2023-12"}, {"2023-12", 1, "2024-01"}, {"2024-03", -1, "2024-02"},
      {"2024-05", -6, "2023-11"}, {"", -1, "2024-04"},       {"", 1, "2024-06"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.month);
    EXPECT_EQ(ShiftSelfMonth(QString::fromLatin1(c.month), c.by), QString::fromLatin1(c.expected));
  }
  EXPECT_EQ(CurrentSelfMonth(), QStringLiteral("2024-05"));
  EXPECT_EQ(PreviousSelfMonth(QStringLiteral("2024-05")), QStringLiteral("2024-04"));
  EXPECT_EQ(NextSelfMonth(QStringLiteral("2024-05")), QStringLiteral("2024-06"));
}
