#include <gtest/gtest.h>

#include "async/run_blocking.h"

#include "core/clock.h"
#include "orca/connection.h"
#include "orca/orca_client.h"
#include "ownhistory/self_history_load.h"
#include "self_orca.h"
#include "temp_program_folder.h"

namespace {

const QString kPatient = QStringLiteral("00123");

HttpAction Ok(const QByteArray& body) {
  return HttpAction::Ok(body);
}

HttpAction OverviewWithDrug(const QString& month, std::initializer_list<int> days) {
  return Ok(MonthOverviewAnswer(month, {{QStringLiteral("620000001"), CalendarOf(days)}}));
}

HttpAction OneDrug(const QString& day, const QString& department, const char* name) {
  return Ok(DayActsAnswer(day, department,
                          {{QStringLiteral("210"),
                            QStringLiteral("7"),
                            {{QStringLiteral("620000001"), QString::fromUtf8(name), QStringLiteral("1"),
                              QStringLiteral("錠")}}}}));
}

class SelfHistoryLoad : public TempProgramFolder {
 protected:
  void SetUp() override {
    TempProgramFolder::SetUp();
    SetClockForTesting([] { return QDateTime(QDate(2024, 5, 20), QTime(10, 0)); });
    orca_.configure();
    OrcaConnection oneAtATime = ReadConnection();
    oneAtATime.parallel = 1;  // the road's own order, which the tests below read
    client_.setConnection(oneAtATime);
  }

  // The current month: visits on 3 May in department 01 and on 31 May in department 13.
  void scriptMayInTwoDepartments() {
    orca_.answer(QStringLiteral("03 2024-05"),
                 Ok(MonthOverviewAnswer(QStringLiteral("2024-05"),
                                        {{QStringLiteral("112007410"), CalendarOf({3, 31})},
                                         {QStringLiteral("620000001"), CalendarOf({3})},
                                         {QStringLiteral("620000002"), CalendarOf({31})}})));
    const HttpAction visits = Ok(DayVisitsAnswer({{QStringLiteral("2024-05-03"), QStringLiteral("01")},
                                                  {QStringLiteral("2024-05-31"), QStringLiteral("13")}}));
    orca_.answer(QStringLiteral("01 2024-05-03"), visits);
    orca_.answer(QStringLiteral("01 2024-05-31"), visits);
    orca_.answer(QStringLiteral("02 2024-05-03 01"),
                 OneDrug(QStringLiteral("2024-05-03"), QStringLiteral("01"), "内科の薬"));
    orca_.answer(QStringLiteral("02 2024-05-31 13"),
                 OneDrug(QStringLiteral("2024-05-31"), QStringLiteral("13"), "眼科の薬"));
  }

  const QStringList kMayMemo{QStringLiteral("2024.05.31"),        QStringLiteral("眼科の薬\u30001錠"),
                             QStringLiteral("\u3000\u30007日分"), QString(),
                             QStringLiteral("2024.05.03"),        QStringLiteral("内科の薬\u30001錠"),
                             QStringLiteral("\u3000\u30007日分")};

  SelfOrca orca_;
  OrcaClient client_;
};

}  // namespace

TEST_F(SelfHistoryLoad, daysAskedSideBySideGiveTheSameMemo) {
  scriptMayInTwoDepartments();
  client_.setConnection(ReadConnection());  // four at a time
  const std::optional<SelfYakureki> shown =
      RunBlocking(LoadSelfDrugInfo(client_, QStringLiteral("00123"), QString()));
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->memo, kMayMemo);
  ASSERT_EQ(shown->days.size(), 2);  // the drugs behind the text keep its order too
  EXPECT_EQ(shown->days[0].day, QStringLiteral("2024-05-31"));
  EXPECT_EQ(shown->days[1].day, QStringLiteral("2024-05-03"));
  QStringList asked = orca_.asked();
  asked.sort();
  EXPECT_EQ(asked, (QStringList{"01 2024-05-03", "01 2024-05-31", "02 2024-05-03 01", "02 2024-05-31 13",
                                "03 2024-05"}));
}

TEST_F(SelfHistoryLoad, monthInTwoDepartmentsAsksEachDayItsOwnDepartmentNewestFirst) {
  scriptMayInTwoDepartments();
  const std::optional<SelfYakureki> shown =
      RunBlocking(LoadSelfDrugInfo(client_, QStringLiteral(" 00123 "), QString()));
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->month, QStringLiteral("2024-05"));
  EXPECT_EQ(shown->monthLabel, QStringLiteral("2024年05月"));
  EXPECT_EQ(shown->memo, kMayMemo);
  EXPECT_TRUE(shown->whole) << "every request was answered";
  // The drugs behind the text, for the medication check: day, code, name, days and class.
  ASSERT_EQ(shown->days.size(), 2);
  EXPECT_EQ(shown->days[0].day, QStringLiteral("2024-05-31"));
  EXPECT_EQ(shown->days[1].day, QStringLiteral("2024-05-03"));
  ASSERT_EQ(shown->days[1].drugs.size(), 1);
  EXPECT_EQ(shown->days[1].drugs[0].Code, QStringLiteral("620000001"));
  EXPECT_EQ(shown->days[1].drugs[0].Name, QStringLiteral("内科の薬"));
  EXPECT_EQ(shown->days[1].drugs[0].Days, 7);
  EXPECT_EQ(shown->days[1].drugs[0].MedClass, QStringLiteral("210"));
  EXPECT_EQ(orca_.asked(), (QStringList{"03 2024-05", "01 2024-05-31", "02 2024-05-31 13", "01 2024-05-03",
                                        "02 2024-05-03 01"}));
  // A number of digits goes out without its leading zeros: ORCA pads it to the length it keeps.
  for (const HttpRequest& r : orca_.requests()) EXPECT_EQ(ReadQuestion(r).patientId, QStringLiteral("123"));
  EXPECT_EQ(
      orca_.requests().at(2).body,
      QByteArray("<data>  <medicalgetreq type=\"record\">    <Patient_ID type=\"string\">123</Patient_ID>"
                 "    <Perform_Date type=\"string\">2024-05-31</Perform_Date>    <Medical_Information "
                 "type=\"record\">      <Department_Code type=\"string\">13</Department_Code>      "
                 "<Sequential_Number type=\"string\"></Sequential_Number>    "
                 "</Medical_Information>  </medicalgetreq></data>"));
}

// ORCA answers the acts of one visit: a day with two departments, and another with two visits to
// one department, ask each visit and show its drugs in one block, in visit order.
TEST_F(SelfHistoryLoad, everyVisitOfADayIsAskedAndItsDrugsMakeTheDaysOneBlock) {
  orca_.answer(QStringLiteral("03 2024-05"), OverviewWithDrug(QStringLiteral("2024-05"), {3, 10}));
  const HttpAction visits =
      Ok(DayVisitsAnswer({{QStringLiteral("2024-05-03"), QStringLiteral("01"), QStringLiteral("1")},
                          {QStringLiteral("2024-05-03"), QStringLiteral("11"), QStringLiteral("1")},
                          {QStringLiteral("2024-05-10"), QStringLiteral("01"), QStringLiteral("1")},
                          {QStringLiteral("2024-05-10"), QStringLiteral("01"), QStringLiteral("2")},
                          {QStringLiteral("2024-05-10"), QStringLiteral("01"), QStringLiteral("2")}}));
  orca_.answer(QStringLiteral("01 2024-05-03"), visits);
  orca_.answer(QStringLiteral("01 2024-05-10"), visits);
  orca_.answer(QStringLiteral("02 2024-05-03 01 1"),
               OneDrug(QStringLiteral("2024-05-03"), QStringLiteral("01"), "内科の薬"));
  orca_.answer(QStringLiteral("02 2024-05-03 11 1"),
               OneDrug(QStringLiteral("2024-05-03"), QStringLiteral("11"), "整形外科の薬"));
  orca_.answer(QStringLiteral("02 2024-05-10 01 1"),
               OneDrug(QStringLiteral("2024-05-10"), QStringLiteral("01"), "朝の薬"));
  orca_.answer(QStringLiteral("02 2024-05-10 01 2"),
               OneDrug(QStringLiteral("2024-05-10"), QStringLiteral("01"), "夕の薬"));
  const QStringList memo{QStringLiteral("2024.05.10"),
                         QStringLiteral("朝の薬\u30001錠"),
                         QStringLiteral("夕の薬\u30001錠"),
                         QStringLiteral("\u3000\u30007日分"),
                         QString(),
                         QStringLiteral("2024.05.03"),
                         QStringLiteral("内科の薬\u30001錠"),
                         QStringLiteral("整形外科の薬\u30001錠"),
                         QStringLiteral("\u3000\u30007日分")};
  for (const int parallel : {1, 4}) {
    SCOPED_TRACE(parallel);
    orca_.clearRecord();
    OrcaConnection connection = ReadConnection();
    connection.parallel = parallel;
    client_.setConnection(connection);
    const std::optional<SelfYakureki> shown = RunBlocking(LoadSelfDrugInfo(client_, kPatient, QString()));
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->memo, memo);
    ASSERT_EQ(shown->days.size(), 2);
    EXPECT_EQ(shown->days[0].drugs.size(), 2);
    QStringList asked = orca_.asked();
    asked.sort();
    EXPECT_EQ(asked,
              (QStringList{"01 2024-05-03", "01 2024-05-10", "02 2024-05-03 01 1", "02 2024-05-03 11 1",
                           "02 2024-05-10 01 1", "02 2024-05-10 01 2", "03 2024-05"}))
        << "each visit once";
  }
}

TEST_F(SelfHistoryLoad, daysWithoutDepartmentOrWithoutDrugsGetNoBlock) {
  orca_.answer(
      QStringLiteral("03 2024-05"),
      Ok(MonthOverviewAnswer(QStringLiteral("2024-05"), {{QStringLiteral("620000001"), CalendarOf({2, 9})},
                                                         {QStringLiteral("620000001"), CalendarOf({9, 16})},
                                                         {QStringLiteral("620000001"), CalendarOf({23})}})));
  orca_.answer(QStringLiteral("01 2024-05-02"),
               Ok(DayVisitsAnswer({{QStringLiteral("2024-05-02"), QStringLiteral("01")}})));
  orca_.answer(QStringLiteral("02 2024-05-02 01"),
               OneDrug(QStringLiteral("2024-05-02"), QStringLiteral("01"), "薬"));
  orca_.answer(QStringLiteral("01 2024-05-09"), Ok(DayVisitsAnswer({})));  // no department
  orca_.answer(QStringLiteral("01 2024-05-16"),
               Ok(DayVisitsAnswer({{QStringLiteral("2024-05-16"), QStringLiteral("01")}})));
  orca_.answer(QStringLiteral("02 2024-05-16 01"),
               Ok(DayActsAnswer(QStringLiteral("2024-05-16"), QStringLiteral("01"),
                                {{QStringLiteral("120"),
                                  QStringLiteral("1"),
                                  {{QStringLiteral("112007410"), QStringLiteral("再診料"),
                                    QStringLiteral("1"), QStringLiteral("回")}}}})));
  // 23 May: the day query is not answered.
  const std::optional<SelfYakureki> shown =
      RunBlocking(LoadSelfDrugInfo(client_, kPatient, QStringLiteral("2024-05")));
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->memo, (QStringList{QStringLiteral("2024.05.02"), QStringLiteral("薬\u30001錠"),
                                      QStringLiteral("\u3000\u30007日分")}));
  EXPECT_EQ(orca_.asked(), (QStringList{"03 2024-05", "01 2024-05-23", "01 2024-05-16", "02 2024-05-16 01",
                                        "01 2024-05-09", "01 2024-05-02", "02 2024-05-02 01"}));
}

TEST_F(SelfHistoryLoad, emptyMonthStepsBackToTheNearestMonthWithDrugs) {
  orca_.answer(
      QStringLiteral("03 2024-04"),
      Ok(MonthOverviewAnswer(QStringLiteral("2024-04"), {{QStringLiteral("112007410"), CalendarOf({8})}})));
  orca_.answer(QStringLiteral("03 2024-02"), OverviewWithDrug(QStringLiteral("2024-02"), {14}));
  orca_.answer(QStringLiteral("01 2024-02-14"),
               Ok(DayVisitsAnswer({{QStringLiteral("2024-02-14"), QStringLiteral("01")}})));
  orca_.answer(QStringLiteral("02 2024-02-14 01"),
               OneDrug(QStringLiteral("2024-02-14"), QStringLiteral("01"), "薬"));
  const std::optional<SelfYakureki> shown = RunBlocking(LoadSelfDrugInfo(client_, kPatient, QString()));
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->month, QStringLiteral("2024-02"));
  EXPECT_EQ(shown->monthLabel, QStringLiteral("2024年02月"));
  EXPECT_EQ(shown->memo, (QStringList{QStringLiteral("2024.02.14"), QStringLiteral("薬\u30001錠"),
                                      QStringLiteral("\u3000\u30007日分")}));
  EXPECT_EQ(orca_.asked(), (QStringList{"03 2024-05", "03 2024-04", "03 2024-03", "03 2024-02", "03 2024-02",
                                        "01 2024-02-14", "02 2024-02-14 01"}));
}

TEST_F(SelfHistoryLoad, sixMonthsWithoutDrugCodesLeaveTheMemoEmptyAndTheMonthAskedFor) {
  orca_.answer(QStringLiteral("03 2023-11"), OverviewWithDrug(QStringLiteral("2023-11"), {1}));  // seven back
  const std::optional<SelfYakureki> shown =
      RunBlocking(LoadSelfDrugInfo(client_, kPatient, QStringLiteral("2024-06")));
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->month, QStringLiteral("2024-06"));
  EXPECT_EQ(shown->monthLabel, QStringLiteral("2024年06月"));
  EXPECT_TRUE(shown->memo.isEmpty());
  EXPECT_EQ(orca_.asked(), (QStringList{"03 2024-06", "03 2024-05", "03 2024-04", "03 2024-03", "03 2024-02",
                                        "03 2024-01", "03 2023-12"}));
}

TEST_F(SelfHistoryLoad, landingMonthThatShowsNothingStepsBackAgainFromThere) {
  orca_.answer(QStringLiteral("03 2024-03"), OverviewWithDrug(QStringLiteral("2024-03"), {5}));
  orca_.answer(QStringLiteral("01 2024-03-05"), Ok(DayVisitsAnswer({})));
  orca_.answer(QStringLiteral("03 2023-10"), OverviewWithDrug(QStringLiteral("2023-10"), {7}));
  orca_.answer(QStringLiteral("01 2023-10-07"),
               Ok(DayVisitsAnswer({{QStringLiteral("2023-10-07"), QStringLiteral("01")}})));
  orca_.answer(QStringLiteral("02 2023-10-07 01"),
               OneDrug(QStringLiteral("2023-10-07"), QStringLiteral("01"), "薬"));
  const std::optional<SelfYakureki> shown =
      RunBlocking(LoadSelfDrugInfo(client_, kPatient, QStringLiteral("2024-05")));
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->month, QStringLiteral("2023-10"));
  EXPECT_EQ(shown->monthLabel, QStringLiteral("2023年10月"));
  EXPECT_EQ(shown->memo.value(0), QStringLiteral("2023.10.07"));
  EXPECT_EQ(orca_.asked(),
            (QStringList{"03 2024-05", "03 2024-04", "03 2024-03", "03 2024-03", "01 2024-03-05",
                         "03 2024-02", "03 2024-01", "03 2023-12", "03 2023-11", "03 2023-10", "03 2023-10",
                         "01 2023-10-07", "02 2023-10-07 01"}));
}

TEST_F(SelfHistoryLoad, nextMonthWithoutRecordsLandsAgainOnTheMonthJustLeft) {
  scriptMayInTwoDepartments();
  const SelfMonthShown shown = RunBlocking(LoadSelfMonth(client_, kPatient, QStringLiteral("2024-06")));
  EXPECT_EQ(shown.month, QStringLiteral("2024-05"));
  EXPECT_EQ(shown.monthLabel, QStringLiteral("2024年05月"));
  EXPECT_EQ(shown.memo, kMayMemo);
  EXPECT_EQ(orca_.asked().mid(0, 3), (QStringList{"03 2024-06", "03 2024-05", "03 2024-05"}));
}

TEST_F(SelfHistoryLoad, withNoPatientNothingIsAskedAndOnlyTheMonthLabelChanges) {
  scriptMayInTwoDepartments();
  EXPECT_EQ(RunBlocking(LoadSelfDrugInfo(client_, QStringLiteral("  "), QStringLiteral("2024-05"))),
            std::nullopt);
  const SelfMonthShown shown = RunBlocking(LoadSelfMonth(client_, QString(), QStringLiteral("2024-04")));
  EXPECT_EQ(shown.month, QStringLiteral("2024-04"));
  EXPECT_EQ(shown.monthLabel, QStringLiteral("2024年04月"));
  EXPECT_EQ(shown.memo, std::nullopt);
  EXPECT_TRUE(orca_.asked().isEmpty());
}

TEST_F(SelfHistoryLoad, unansweredDrugRequestAddsNothingAndNoMessage) {
  scriptMayInTwoDepartments();
  orca_.answer(QStringLiteral("02 2024-05-31 13"), HttpAction::Status(500));
  const std::optional<SelfYakureki> shown =
      RunBlocking(LoadSelfDrugInfo(client_, kPatient, QStringLiteral("2024-05")));
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->memo, kMayMemo.mid(4));
  EXPECT_FALSE(shown->whole) << "the 31st's drugs may be missing";
}
