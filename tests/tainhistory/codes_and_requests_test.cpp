#include <gtest/gtest.h>

#include "tainhistory/institution_codes.h"
#include "tainhistory/load_drug_info.h"
#include "tainhistory/online_requests.h"
#include "tainhistory/tain_lists.h"

TEST(InstitutionName, keywordsAdmitPharmaciesAndHeadingsDoNot) {
  struct Case {
    const char* name;
    bool institution;
  } cases[] = {
      {"内科クリニック", true},
      {"整形外科", true},
      {"みなと病院", true},
      {"がんセンター", true},
      {"山田診療所", true},
      {"佐藤医院", true},
      {"佐藤醫院", true},
      {"〇〇薬局", false},
      {"診療所名", false},
      {"診療科", false},
      {"科学薬局", false},
      {"ひかり調剤", false},
      {"", false},
      {"中央病院薬局", false},
      {"内科　診療所", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IsInstitutionName(QString::fromUtf8(c.name)), c.institution);
  }
}

TEST(InstitutionCodes, ownAndPharmacyTests) {
  struct Case {
    const char* code;
    const char* self;
    bool own;
    bool pharmacy;
  } cases[] = {
      {"1310000001", "0000001", true, false},
      {"1340000001", "", false, true},
      {"0000001", "0000001", true, false},
      {"000001", "0000001", false, false},
      {"134", "", false, true},
      {"13", "", false, false},
      {"", "", false, false},
      {"1310000009", "0000001", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(EndsWithInstCd(QString::fromLatin1(c.code), QString::fromLatin1(c.self)), c.own);
    EXPECT_EQ(IsPharmacyInstCd(QString::fromLatin1(c.code)), c.pharmacy);
  }
}

TEST(TainLists, appendUnlessPresentComparesWholeEntriesIgnoringCase) {
  QStringList list;
  EXPECT_TRUE(AppendUnlessPresent(list, QStringLiteral("ABC内科|2024-05")));
  EXPECT_FALSE(AppendUnlessPresent(list, QStringLiteral("abc内科|2024-05")));
  EXPECT_TRUE(AppendUnlessPresent(list, QStringLiteral("abc内科|2024-0")));
  EXPECT_EQ(list, QStringList({QStringLiteral("ABC内科|2024-05"), QStringLiteral("abc内科|2024-0")}));
}

TEST(OnlineRequests, bodiesAreTheFixedOneLineTexts) {
  // The drug summary starts at the month given (the current month: ORCA given none lists up to the
  // previous month only); neither drug request names an institution, whose fields go empty.
  EXPECT_EQ(
      OnlineDrugGet01Body(QStringLiteral(" 00123 "), QStringLiteral("2024-06")),
      QStringLiteral("<data>  <onlinedruggetreq type=\"record\">    <Request_Number type=\"string\">01"
                     "</Request_Number>    <Patient_ID type=\"string\">123</Patient_ID>    <MeTrMonth "
                     "type=\"string\">2024-06</MeTrMonth>    <InOut type=\"string\"></InOut>    <MeTrDiHCd "
                     "type=\"string\"></MeTrDiHCd>    <PrlsHCd type=\"string\"></PrlsHCd>  "
                     "</onlinedruggetreq></data>"));
  EXPECT_EQ(
      OnlineDrugGet02Body(QStringLiteral("123"), QStringLiteral("2024-05")),
      QStringLiteral("<data>  <onlinedruggetreq type=\"record\">    <Request_Number type=\"string\">02"
                     "</Request_Number>    <Patient_ID type=\"string\">123</Patient_ID>    <MeTrMonth "
                     "type=\"string\">2024-05</MeTrMonth>    <InOut type=\"string\"></InOut>    <MeTrDiHCd "
                     "type=\"string\"></MeTrDiHCd>    <PrlsHCd type=\"string\"></PrlsHCd>  "
                     "</onlinedruggetreq></data>"));
  EXPECT_EQ(
      OnlineSpecGet01Body(QStringLiteral("123")),
      QStringLiteral("<data>  <onlinespecgetreq type=\"record\">    <Request_Number type=\"string\">01"
                     "</Request_Number>    <Patient_ID type=\"string\">123</Patient_ID>    <EffectiveTime "
                     "type=\"string\"></EffectiveTime>  </onlinespecgetreq></data>"));
  EXPECT_EQ(
      OnlineMedGet01Body(QStringLiteral("123"), QStringLiteral("2023-12")),
      QStringLiteral("<data>  <onlinemedgetreq type=\"record\">    <Request_Number type=\"string\">01"
                     "</Request_Number>    <Patient_ID type=\"string\">123</Patient_ID>    <MeTrMonth "
                     "type=\"string\">2023-12</MeTrMonth>    <InOut type=\"string\"></InOut>    <MeTrDiHCd "
                     "type=\"string\"></MeTrDiHCd>    <PrlsHCd type=\"string\"></PrlsHCd>  "
                     "</onlinemedgetreq></data>"));
  EXPECT_TRUE(OnlineMedGet01Body(QStringLiteral("123"), QString())
                  .contains(QStringLiteral("<MeTrMonth type=\"string\"></MeTrMonth>")));
}

TEST(OnlineRequests, aPatientNumberCannotChangeTheRequestStructure) {
  const QString body =
      OnlineDrugGet02Body(QStringLiteral("1</Patient_ID>&YYYY-MM"), QStringLiteral("2024-05"));
  EXPECT_TRUE(body.contains(
      QStringLiteral("<Patient_ID type=\"string\">1&lt;/Patient_ID&gt;&amp;YYYY-MM</Patient_ID>")));
  EXPECT_TRUE(body.contains(QStringLiteral("<MeTrMonth type=\"string\">2024-05</MeTrMonth>")));
}

TEST(OnlineRequests, monthsBeforeCountsCalendarMonths) {
  struct Case {
    QDate day;
    int back;
    const char* month;
  } cases[] = {
      {QDate(2024, 8, 31), 6, "2024-02"},
      {QDate(2024, 6, 10), 0, "2024-06"},
      {QDate(2024, 3, 31), 1, "2024-02"},
      {QDate(2024, 1, 15), 11, "2023-02"},
  };
  for (const Case& c : cases) EXPECT_EQ(MonthsBefore(c.day, c.back), QString::fromLatin1(c.month));
}

TEST(MonthCompletion, servicesMonthsFirstThenTheMissingOfTheLastTwelveNewestFirst) {
  QStringList months = {QStringLiteral("2023-01"), QStringLiteral("2024-05")};
  CompleteMonthList(months, QDate(2024, 6, 10));
  EXPECT_EQ(months.join(QLatin1Char(' ')),
            QStringLiteral("2023-01 2024-05 2024-06 2024-04 2024-03 2024-02 2024-01 2023-12 2023-11 2023-10 "
                           "2023-09 2023-08 2023-07"));

  QStringList none;
  CompleteMonthList(none, QDate(2024, 6, 10));
  EXPECT_EQ(none.size(), 12);
  EXPECT_EQ(none.first(), QStringLiteral("2024-06"));
  EXPECT_EQ(none.last(), QStringLiteral("2023-07"));

  QStringList twelve;
  for (int m = 1; m <= 12; ++m) twelve << QStringLiteral("2020-%1").arg(m, 2, 10, QLatin1Char('0'));
  const QStringList before = twelve;
  CompleteMonthList(twelve, QDate(2024, 6, 10));
  EXPECT_EQ(twelve, before);
}
