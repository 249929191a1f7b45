#include <gtest/gtest.h>

#include "history_fixtures.h"
#include "tainhistory/yakureki_text.h"

namespace {

const QString kSelf = QStringLiteral("9999999");
const QString kMinato = QStringLiteral("みなと内科クリニック");

QList<TPrescription> WorkedExample() {
  return {
      Presc(
          kMinato, QStringLiteral("1310000022"), QStringLiteral("20240509"),
          {Drug(QStringLiteral("アムロジピン錠5mg"), QStringLiteral("1"), QStringLiteral("錠"), 28),
           Drug(QStringLiteral("ロキソプロフェン錠60mg"), QStringLiteral("3"), QStringLiteral("錠"), 5),
           Drug(QStringLiteral("ケトプロフェンテープ20mg"), QStringLiteral("14"), QStringLiteral("枚"), 1)}),
      Presc(QStringLiteral("さくら整形外科"), QStringLiteral("1310000066"), QStringLiteral("20240520"),
            {Drug(QStringLiteral("セレコキシブ錠100mg"), QStringLiteral("2"), QStringLiteral("錠"), 14)}),
      Presc(kMinato, QStringLiteral("1310000022"), QStringLiteral("20240412"),
            {Drug(QStringLiteral("アムロジピン錠5mg"), QStringLiteral("1"), QStringLiteral("錠"), 28)}),
      Presc(kMinato, QStringLiteral("1310000022"), QStringLiteral("20240509"),
            {Drug(QStringLiteral("レバミピド錠100mg"), QStringLiteral("3"), QStringLiteral("錠"), 5)}),
  };
}

QString Overview(const QList<TPrescription>& list) {
  return BuildYakurekiText(list, QString(), kSelf, QString(), QString(), true);
}
QString Detail(const QList<TPrescription>& list, const QString& name) {
  return BuildYakurekiText(list, name, QString(), QString(), QString(), false);
}

}  // namespace

TEST(YakurekiText, overviewOfTheWorkedExample) {
  EXPECT_EQ(Overview(WorkedExample()).toUtf8(), QByteArray("2024.05.20\xE3\x80\x80さくら整形外科\r\n"
                                                           "セレコキシブ錠100mg\xE3\x80\x80"
                                                           "2錠\r\n"
                                                           "\xE3\x80\x80\xE3\x80\x80"
                                                           "14日分\r\n"
                                                           "\r\n"
                                                           "2024.05.09\xE3\x80\x80みなと内科クリニック\r\n"
                                                           "アムロジピン錠5mg\xE3\x80\x80"
                                                           "1錠\r\n"
                                                           "\xE3\x80\x80\xE3\x80\x80"
                                                           "28日分\r\n"
                                                           "ロキソプロフェン錠60mg\xE3\x80\x80"
                                                           "3錠\r\n"
                                                           "\xE3\x80\x80\xE3\x80\x80"
                                                           "5日分\r\n"
                                                           "ケトプロフェンテープ20mg\xE3\x80\x80"
                                                           "14枚\r\n"
                                                           "2024.05.09\r\n"
                                                           "レバミピド錠100mg\xE3\x80\x80"
                                                           "3錠\r\n"
                                                           "\xE3\x80\x80\xE3\x80\x80"
                                                           "5日分\r\n"));
}

TEST(YakurekiText, detailOfTheWorkedExample) {
  EXPECT_EQ(Detail(WorkedExample(), kMinato).toUtf8(),
            QByteArray("2024.05.09\xE3\x80\x80みなと内科クリニック\r\n"
                       "アムロジピン錠5mg\xE3\x80\x80"
                       "1錠\r\n"
                       "\xE3\x80\x80\xE3\x80\x80"
                       "28日分\r\n"
                       "ロキソプロフェン錠60mg\xE3\x80\x80"
                       "3錠\r\n"
                       "\xE3\x80\x80\xE3\x80\x80"
                       "5日分\r\n"
                       "ケトプロフェンテープ20mg\xE3\x80\x80"
                       "14枚\r\n"
                       "2024.05.09\r\n"
                       "レバミピド錠100mg\xE3\x80\x80"
                       "3錠\r\n"
                       "\xE3\x80\x80\xE3\x80\x80"
                       "5日分\r\n"
                       "\r\n"
                       "2024.04.12\xE3\x80\x80みなと内科クリニック\r\n"
                       "アムロジピン錠5mg\xE3\x80\x80"
                       "1錠\r\n"
                       "\xE3\x80\x80\xE3\x80\x80"
                       "28日分\r\n"));
  const TainDetailView view = TainDetailOf(WorkedExample(), kMinato);
  EXPECT_TRUE(view.btnBackVisible);
  EXPECT_EQ(view.labelTainName, kMinato);
  EXPECT_TRUE(view.labelTainMonth.isEmpty());
  EXPECT_EQ(view.memoTain, Detail(WorkedExample(), kMinato));
}

// The exchange sort is not stable: equal dates are reordered when a newer date is swapped past them.
TEST(YakurekiText, sameDayEventsKeepTheExchangeSortsOrder) {
  const QList<TPrescription> list = {
      Presc(QStringLiteral("A医院"), QStringLiteral("1310000001"), QStringLiteral("20240501")),
      Presc(QStringLiteral("B医院"), QStringLiteral("1310000002"), QStringLiteral("20240501")),
      Presc(QStringLiteral("C医院"), QStringLiteral("1310000003"), QStringLiteral("20240502")),
  };
  // i=0: C swaps with A → C B A; i=1: A is not newer than B → C B A.
  EXPECT_EQ(
      BuildYakurekiText(list, QString(), QString(), QString(), QString(), false),
      QStringLiteral("2024.05.02\u3000C医院\r\n\r\n2024.05.01\u3000B医院\r\n\r\n2024.05.01\u3000A医院\r\n"));
}

TEST(YakurekiText, filtersOneByOne) {
  const QList<TPrescription> list = {
      Presc(QStringLiteral(" A医院 "), QStringLiteral("1310000001"), QStringLiteral("20240501")),
      Presc(QStringLiteral("当院"), QStringLiteral("1319999999"), QStringLiteral("20240502")),
      Presc(QStringLiteral("B薬局"), QStringLiteral("1340000003"), QStringLiteral("20240503")),
      Presc(QStringLiteral("C医院"), QStringLiteral("1310000004"), QStringLiteral("20240404")),
      Presc(QStringLiteral("x"), QStringLiteral("99"), QStringLiteral("20240405")),
  };
  struct Case {
    const char* institution;
    const char* exclude;
    const char* only;
    const char* month;
    const char* days;  // the days of the events shown, in order
  } cases[] = {
      {"", "", "", "", "02 01 05 04"},     {"A医院", "", "", "", "01"},   {"当院", "", "", "", "02"},
      {"", "9999999", "", "", "01 05 04"}, {"", "", "9999999", "", "02"}, {"", "", "", "2024-04", "05 04"},
      {"", "0000001", "", "", "02 05 04"}, {"B薬局", "", "", "", ""},     {"", "", "1234567890123", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.institution << "/" << c.exclude << "/" << c.only << "/" << c.month);
    const QString text =
        BuildYakurekiText(list, QString::fromUtf8(c.institution), QString::fromLatin1(c.exclude),
                          QString::fromLatin1(c.only), QString::fromLatin1(c.month), false);
    QStringList days;
    for (const QString& line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) days << line.mid(8, 2);
    EXPECT_EQ(days.join(QLatin1Char(' ')), QString::fromLatin1(c.days));
  }
}

TEST(YakurekiText, latestDayMatchesNamesIgnoringCase) {
  const QList<TPrescription> list = {
      Presc(QStringLiteral("ABC医院"), QStringLiteral("1310000001"), QStringLiteral("20240501")),
      Presc(QStringLiteral("abc医院"), QStringLiteral("1310000001"), QStringLiteral("20240601")),
      Presc(QStringLiteral("ABC医院"), QStringLiteral("1310000001"), QStringLiteral("20240601")),
  };
  EXPECT_EQ(Overview(list), QStringLiteral("2024.06.01\u3000abc医院\r\n\r\n2024.06.01\u3000ABC医院\r\n"));
}

TEST(YakurekiText, drugLinesAndDayGroups) {
  const QList<TPrescription> list = {
      Presc(QStringLiteral("A医院"), QStringLiteral("1310000001"), QStringLiteral("20240501"),
            {Drug(QStringLiteral("a"), QStringLiteral("1"), QStringLiteral(" 錠 "), 7),
             Drug(QStringLiteral("b"), QStringLiteral(" 2 "), QStringLiteral("包"), 14),
             Drug(QStringLiteral("c"), QStringLiteral("  "), QStringLiteral("枚"), 7),
             Drug(QStringLiteral(" d"), QString(), QString(), 0),
             Drug(QStringLiteral("e"), QStringLiteral("3"), QStringLiteral("\u3000g"), 1)})};
  EXPECT_EQ(Overview(list), QStringLiteral("2024.05.01\u3000A医院\r\n"
                                           "b\u3000 2 包\r\n\u3000\u300014日分\r\n"
                                           "a\u30001錠\r\nc\r\n\u3000\u30007日分\r\n"
                                           "e\u30003\u3000g\r\n"
                                           " d\r\n"));
}

TEST(YakurekiText, blankLinesAndHeadersBetweenEvents) {
  struct Case {
    const char* name;
    QList<TPrescription> list;
    QString text;
  } cases[] = {
      {"same institution, same day",
       {Presc(QStringLiteral("A医院"), QStringLiteral("1"), QStringLiteral("20240501")),
        Presc(QStringLiteral(" A医院"), QStringLiteral("1"), QStringLiteral("20240501"))},
       QStringLiteral("2024.05.01\u3000A医院\r\n2024.05.01\r\n")},
      {"two institutions, same day",
       {Presc(QStringLiteral("A医院"), QStringLiteral("1"), QStringLiteral("20240501")),
        Presc(QStringLiteral("B医院"), QStringLiteral("2"), QStringLiteral("20240501"))},
       QStringLiteral("2024.05.01\u3000A医院\r\n\r\n2024.05.01\u3000B医院\r\n")},
      {"same institution, two days",
       {Presc(QStringLiteral("A医院"), QStringLiteral("1"), QStringLiteral("20240502")),
        Presc(QStringLiteral("A医院"), QStringLiteral("1"), QStringLiteral("20240501"))},
       QStringLiteral("2024.05.02\u3000A医院\r\n\r\n2024.05.01\u3000A医院\r\n")},
      {"unnamed event first",
       {Presc(QString(), QStringLiteral("1"), QStringLiteral("20240502")),
        Presc(QStringLiteral("B医院"), QStringLiteral("2"), QStringLiteral("20240501"))},
       QStringLiteral("2024.05.02\u3000\r\n2024.05.01\u3000B医院\r\n")},
      {"short date",
       {Presc(QStringLiteral("A医院"), QStringLiteral("1"), QStringLiteral("202405"))},
       QStringLiteral("2024.05.\u3000A医院\r\n")},
      {"nothing selected", {}, QString()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(BuildYakurekiText(c.list, QString(), QString(), QString(), QString(), false), c.text);
  }
}
