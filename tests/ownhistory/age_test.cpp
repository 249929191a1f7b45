#include <gtest/gtest.h>

#include "ownhistory/age.h"

TEST(Age, isTheCalendarAgeInWholeYears) {
  struct Case {
    const char* birth;
    QDate today;
    const char* label;
  } cases[] = {
      {"2023-05-20", QDate(2024, 5, 19), "0歳"},
      {"2023-05-20", QDate(2024, 5, 20), "1歳"},  // the first birthday, 366 days later
      {"2022-05-20", QDate(2023, 5, 20), "1歳"},  // the first birthday, 365 days later
      {"1958-04-12", QDate(2025, 3, 14), "66歳"},
      {"1958-04-12", QDate(2025, 4, 12), "67歳"},
      {"2024-05-20", QDate(2024, 5, 20), "0歳"},
      {"2020-02-29", QDate(2021, 2, 28), "0歳"},
      {"2020-02-29", QDate(2021, 3, 1), "1歳"},
      {"2020-02-29", QDate(2024, 2, 28), "3歳"},
      {"2020-02-29", QDate(2024, 2, 29), "4歳"},
      {"2000-12-31", QDate(2001, 1, 1), "0歳"},
      {"2024-05-21", QDate(2024, 5, 20), ""},  // not born yet
      {"", QDate(2024, 5, 20), ""},
      {"1990-13-01", QDate(2024, 5, 20), ""},
      {"2023-02-29", QDate(2024, 5, 20), ""},
      {"19x0-01-01", QDate(2024, 5, 20), ""},
      {"1990/1/5", QDate(2024, 5, 20), ""},
      {"0000-01-01", QDate(2024, 5, 20), ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.birth);
    EXPECT_EQ(AgeLabelText(QString::fromLatin1(c.birth), c.today), QString::fromUtf8(c.label));
  }
}
