#include <gtest/gtest.h>

#include "async/progress.h"
#include "async/run_blocking.h"

#include <QRegularExpression>

#include "core/clock.h"
#include "core/ini_file.h"
#include "history_fixtures.h"
#include "http_server.h"
#include "orca/connection.h"
#include "orca/orca_client.h"
#include "tainhistory/check_up.h"
#include "tainhistory/institution_grid.h"
#include "tainhistory/load_drug_info.h"
#include "tainhistory/med_get.h"
#include "temp_program_folder.h"

namespace {

const QString kSelf = QStringLiteral("9999999");

QString Field(const QByteArray& body, const char* name) {
  const QRegularExpression re(QStringLiteral("<%1 type=\"string\">([^<]*)</%1>").arg(QLatin1String(name)));
  return re.match(QString::fromUtf8(body)).captured(1);
}

// "drug 01", "drug 02 2024-05", "checkup 01", "med 01 2024-02": what a request asked, in a few words.
QString Asked(const HttpRequest& r) {
  const QString path = QString::fromUtf8(r.path());
  const QString kind = path.endsWith(QLatin1String("onlinedruggetv2"))   ? QStringLiteral("drug")
                       : path.endsWith(QLatin1String("onlinespecgetv2")) ? QStringLiteral("checkup")
                       : path.endsWith(QLatin1String("onlinemedgetv2"))  ? QStringLiteral("med")
                                                                         : path;
  QStringList words = {kind, Field(r.body, "Request_Number")};
  const QString month = Field(r.body, "MeTrMonth");
  if (!month.isEmpty()) words << month;
  return words.join(QLatin1Char(' '));
}

const QByteArray kNoData = XmlIo2(QStringLiteral("onlinedruggetres"),
                                  {ValueLine(2, QStringLiteral("Api_Result"), QStringLiteral("E50"))});

// A patient with two months of drug summary, events in 2024-05, two check-ups and treatment records.
HttpAction DemoPatient(const HttpRequest& r) {
  const QString asked = Asked(r);
  if (asked == QLatin1String("drug 01 2024-06")) {  // the summary starts at the current month
    return HttpAction::Ok(DrugSummaryAnswer(
        QStringLiteral("1958-04-12"),
        {{QStringLiteral("2023-01"),
          {{QStringLiteral("1310000033"), QStringLiteral("ひかり医院"), QString(), QString()}}},
         {QStringLiteral("2024-05"),
          {{QStringLiteral("1340000011"), QStringLiteral("みなと薬局"), QStringLiteral("1310000022"),
            QStringLiteral("みなと内科クリニック")}}}}));
  }
  if (asked == QLatin1String("drug 02 2024-05")) {
    return HttpAction::Ok(DrugEventsAnswer(
        QStringLiteral("2024-05"), {{QStringLiteral("09"),
                                     QStringLiteral("1340000011"),
                                     QStringLiteral("みなと薬局"),
                                     QStringLiteral("1310000022"),
                                     QStringLiteral("みなと内科クリニック"),
                                     {{QStringLiteral("アムロジピン錠5mg"), QStringLiteral("1"),
                                       QStringLiteral("錠"), QStringLiteral("28"), QStringLiteral("21")}}}}));
  }
  if (asked == QLatin1String("drug 02 2024-04")) return HttpAction::Status(404);
  if (asked.startsWith(QLatin1String("drug 02"))) return HttpAction::Ok(kNoData);
  if (asked == QLatin1String("checkup 01")) {
    return HttpAction::Ok(
        XmlIo2(QStringLiteral("onlinespecgetres"),
               {ValueLine(2, QStringLiteral("EffectiveTime"), QStringLiteral("2024-05-20"))}));
  }
  if (asked.startsWith(QLatin1String("med 01"))) {
    return HttpAction::Ok(XmlIo2(QStringLiteral("onlinemedgetres"),
                                 {ValueLine(2, QStringLiteral("MeTrMonth"), QStringLiteral("2024-03")),
                                  ValueLine(2, QStringLiteral("MeTrDiHCd"), QStringLiteral("1310000077")),
                                  ValueLine(2, QStringLiteral("MeTrDiHNm"), QStringLiteral("さくら整形外科")),
                                  ValueLine(2, QStringLiteral("InOut"), QStringLiteral("1"))}));
  }
  return HttpAction::Status(404);
}

class LoadDrugInfoTest : public TempProgramFolder {
 protected:
  void SetUp() override {
    TempProgramFolder::SetUp();
    SetClockForTesting([] { return QDateTime(QDate(2024, 6, 10), QTime(9, 30)); });
  }
  void serve(HttpHandler handler, int parallel = 4) {
    server = std::make_unique<HttpServer>(std::move(handler));
    ASSERT_TRUE(server->listen());
    IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("URL"),
                  QStringLiteral("http://127.0.0.1:%1/api/").arg(server->port()));
    IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("PARALLEL"), QString::number(parallel));
    client.setConnection(ReadConnection());
  }
  QStringList asked() const {
    QStringList list;
    for (const HttpRequest& r : server->requests()) list << Asked(r);
    return list;
  }

  std::unique_ptr<HttpServer> server;
  OrcaClient client;
  TainLists lists;
};

// One request at a time, and four at once.
class LoadDrugInfoRoadTest : public LoadDrugInfoTest, public ::testing::WithParamInterface<int> {};

QStringList Sorted(QStringList list) {
  list.sort();
  return list;
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Parallel, LoadDrugInfoRoadTest, ::testing::Values(1, 4));

// One at a time the requests keep the road's order; four at once the check-up dates and the
// treatment records go out beside the summary, and the lists come out the same.
TEST_P(LoadDrugInfoRoadTest, oneLoadAsksSummaryEveryMonthCheckUpsAndTreatmentsInThatOrder) {
  serve(DemoPatient, GetParam());
  lists.prescriptions = {Presc(QStringLiteral("前の患者"), QStringLiteral("1"), QStringLiteral("20200101"))};

  QList<QPair<int, int>> reports;
  Progress progress;
  progress.set(QStringLiteral("他院薬歴"));
  QObject::connect(&progress, &Progress::changed,
                   [&] { reports.append({progress.value().done, progress.value().total}); });
  const DrugInfoLoad load = RunBlocking(LoadDrugInfo(client, QStringLiteral(" 00123 "), kSelf, lists, &progress));

  EXPECT_TRUE(load.started);
  EXPECT_TRUE(load.phase1Answered);
  // The count once phase 1 is in, then every answer after it, in order: 13 months, check-ups, 2 treatments.
  QList<QPair<int, int>> counted;
  for (int done = 0; done <= 16; ++done) counted.append({done, 16});
  EXPECT_EQ(reports, counted);
  EXPECT_EQ(load.birthDate, QStringLiteral("1958-04-12"));
  const QStringList road{"drug 01 2024-06", "drug 02 2023-01", "drug 02 2024-05", "drug 02 2024-06",
                         "drug 02 2024-04", "drug 02 2024-03", "drug 02 2024-02", "drug 02 2024-01",
                         "drug 02 2023-12", "drug 02 2023-11", "drug 02 2023-10", "drug 02 2023-09",
                         "drug 02 2023-08", "drug 02 2023-07", "checkup 01",      "med 01",
                         "med 01 2023-12"};
  if (GetParam() == 1) {
    EXPECT_EQ(asked(), road);
  } else {
    EXPECT_EQ(asked().first(), QStringLiteral("drug 01 2024-06"));
    EXPECT_EQ(Sorted(asked()), Sorted(road));
  }
  for (const HttpRequest& r : server->requests())  // digits without their leading zeros
    EXPECT_EQ(Field(r.body, "Patient_ID"), QStringLiteral("123"));

  EXPECT_EQ(lists.institutionMonths, QStringList({QStringLiteral("ひかり医院|2023-01"),
                                                  QStringLiteral("みなと内科クリニック|2024-05")}));
  ASSERT_EQ(lists.prescriptions.size(), 1);  // the previous patient's records are gone
  EXPECT_EQ(lists.prescriptions[0].InstitutionName, QStringLiteral("みなと内科クリニック"));
  EXPECT_EQ(lists.prescriptions[0].PrescDate, QStringLiteral("20240509"));
  EXPECT_EQ(lists.checkUpDates, QStringList({QStringLiteral("2024-05-20")}));
  EXPECT_EQ(lists.treatmentMonths, QStringList({QStringLiteral("さくら整形外科=2024-03")}));

  lists.treatmentMonths << QStringLiteral("PDF医院=2024-02");  // as the saved PDF adds it after the load
  const TainOverview overview = TainOverviewOf(lists, kSelf);
  QStringList rows;
  for (int r = 0; r < overview.grid.rowCount(); ++r) rows << overview.grid.rowCells(r).join(QLatin1Char(','));
  EXPECT_EQ(rows, QStringList({"医療機関名,2024-05,2024-03,2024-02,2023-01", "みなと内科クリニック,○,,,",
                               "ひかり医院,,,,*", "さくら整形外科,,*,,", "PDF医院,,,*,", "特定健診,T,,,"}));
  EXPECT_EQ(
      overview.memoTain,
      QStringLiteral(
          "2024.05.09\u3000みなと内科クリニック\r\nアムロジピン錠5mg\u30001錠\r\n\u3000\u300028日分\r\n"));
}

TEST_F(LoadDrugInfoTest, aBlankPatientNumberSendsAndClearsNothing) {
  serve(DemoPatient);
  lists.monthList = {QStringLiteral("2024-01")};
  const DrugInfoLoad load = RunBlocking(LoadDrugInfo(client, QStringLiteral("   "), kSelf, lists));
  EXPECT_FALSE(load.started);
  EXPECT_TRUE(server->requests().isEmpty());
  EXPECT_EQ(lists.monthList, QStringList({QStringLiteral("2024-01")}));

  RunBlocking(LoadOnlineSpecGet(client, QStringLiteral(" "), lists));
  RunBlocking(LoadOnlineMedGet(client, QStringLiteral(" "), kSelf, lists));
  EXPECT_TRUE(server->requests().isEmpty());
}

// Four at once, the check-up dates and the treatment records were asked for beside the summary:
// their answers are dropped unread.
TEST_P(LoadDrugInfoRoadTest, withoutASummaryAnswerTheLoadStopsAfterEmptyingMonthsAndRecords) {
  serve(
      [](const HttpRequest& r) {
        return Asked(r).startsWith(QLatin1String("drug 01")) ? HttpAction::Status(404) : DemoPatient(r);
      },
      GetParam());
  lists.monthList = {QStringLiteral("2024-01")};
  lists.prescriptions = {Presc(QStringLiteral("A医院"), QStringLiteral("1"), QStringLiteral("20240101"))};
  lists.institutionMonths = {QStringLiteral("A医院|2024-01")};
  lists.checkUpDates = {QStringLiteral("2024-01-05")};
  lists.treatmentMonths = {QStringLiteral("A医院=2024-01")};
  const DrugInfoLoad load = RunBlocking(LoadDrugInfo(client, QStringLiteral("123"), kSelf, lists));

  EXPECT_TRUE(load.started);
  EXPECT_FALSE(load.phase1Answered);
  EXPECT_TRUE(load.birthDate.isEmpty());
  if (GetParam() == 1) {
    EXPECT_EQ(asked(), QStringList({"drug 01 2024-06"}));
  }
  for (const QString& a : asked()) EXPECT_FALSE(a.startsWith(QLatin1String("drug 02"))) << a.toStdString();
  EXPECT_TRUE(lists.monthList.isEmpty());
  EXPECT_TRUE(lists.prescriptions.isEmpty());
  EXPECT_EQ(lists.institutionMonths.size(), 1);
  EXPECT_EQ(lists.checkUpDates, QStringList({QStringLiteral("2024-01-05")}));
  EXPECT_EQ(lists.treatmentMonths, QStringList({QStringLiteral("A医院=2024-01")}));
}

TEST_F(LoadDrugInfoTest, treatmentRecordsOfBothRequestsCountOnceAndTheSecondAsksSixMonthsBack) {
  SetClockForTesting([] { return QDateTime(QDate(2024, 8, 31), QTime(23, 0)); });
  serve([](const HttpRequest& r) {
    if (Asked(r) == QLatin1String("checkup 01")) return HttpAction::Status(404);
    return DemoPatient(r);
  });
  lists.checkUpDates = {QStringLiteral("2020-01-01")};
  lists.treatmentMonths = {QStringLiteral("old=2020-01")};
  RunBlocking(LoadOnlineSpecGet(client, QStringLiteral("123"), lists));
  RunBlocking(LoadOnlineMedGet(client, QStringLiteral("123"), kSelf, lists));

  EXPECT_EQ(asked(), QStringList({"checkup 01", "med 01", "med 01 2024-02"}));
  EXPECT_TRUE(lists.checkUpDates.isEmpty());
  EXPECT_EQ(lists.treatmentMonths, QStringList({QStringLiteral("さくら整形外科=2024-03")}));
  EXPECT_EQ(logMessages().filter(QRegularExpression(QStringLiteral("^MedGet: "))),
            QStringList({QStringLiteral("MedGet: さくら整形外科=2024-03")}));
}

TEST_F(LoadDrugInfoTest, aMissingTreatmentAnswerLeavesTheOtherOne) {
  serve([](const HttpRequest& r) {
    if (Asked(r) == QLatin1String("med 01")) return HttpAction::Status(404);
    return DemoPatient(r);
  });
  RunBlocking(LoadOnlineMedGet(client, QStringLiteral("123"), kSelf, lists));
  EXPECT_EQ(lists.treatmentMonths, QStringList({QStringLiteral("さくら整形外科=2024-03")}));
}
