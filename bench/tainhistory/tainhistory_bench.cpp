// One patient load over loopback (requests sent, time), and the work outside the network for a
// patient with a long history: reading every saved answer, building the grid and the overview.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "async/run_blocking.h"
#include "core/clock.h"
#include "core/program_folder.h"
#include "http_server.h"
#include "orca/connection.h"
#include "orca/orca_client.h"
#include "orca/response_reader.h"
#include "tainhistory/drug_get_parse.h"
#include "tainhistory/institution_grid.h"
#include "tainhistory/load_drug_info.h"

namespace {

const QString kSelf = QStringLiteral("9999999");

QString Value(int depth, const char* name, const QString& value) {
  return QString(depth * 2, QLatin1Char(' ')) +
         QStringLiteral("<%1 type=\"string\">%2</%1>\n").arg(QLatin1String(name), value);
}

QString Month(int k) {
  return QDate(2024, 6, 1).addMonths(-k).toString(QStringLiteral("yyyy-MM"));
}

QByteArray Summary(int months) {
  QString xml = QStringLiteral(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xmlio2>\n  <onlinedruggetres type=\"record\">\n");
  xml += Value(2, "BirthDate", QStringLiteral("1958-04-12"));
  for (int k = 0; k < months; ++k) {
    xml += QStringLiteral("      <MeTrMonth_Information_child type=\"record\">\n") +
           Value(4, "MeTrMonth", Month(k));
    for (int i = 0; i < 3; ++i) {
      xml += QStringLiteral("          <MeTrD_Inf_child type=\"record\">\n") +
             Value(6, "MeTrDiHCd", QStringLiteral("134000%1").arg(i, 4, 10, QLatin1Char('0'))) +
             Value(6, "MeTrDiHNm", QStringLiteral("薬局%1").arg(i)) +
             Value(6, "PrlsHCd", QStringLiteral("131000%1").arg(i, 4, 10, QLatin1Char('0'))) +
             Value(6, "PrlsHNm", QStringLiteral("内科クリニック%1").arg(i)) +
             QStringLiteral("          </MeTrD_Inf_child>\n");
    }
    xml += QStringLiteral("      </MeTrMonth_Information_child>\n");
  }
  return (xml + QStringLiteral("  </onlinedruggetres>\n</xmlio2>\n")).toUtf8();
}

// A month of `events` dispensing days, five drugs each, institutions taking turns.
QByteArray Events(int events, int seed) {
  QString xml = QStringLiteral(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xmlio2>\n  <onlinedruggetres type=\"record\">\n"
      "    <MeTrMonthInf type=\"array\">\n      <MeTrMonthInf_child type=\"record\">\n"
      "        <DiDateInfs type=\"record\">\n          <DiDateInf type=\"array\">\n");
  for (int e = 0; e < events; ++e) {
    const int inst = (seed + e) % 8;
    xml += QStringLiteral("            <DiDateInf_child type=\"record\">\n") +
           Value(7, "DiDay", QStringLiteral("%1").arg(1 + e % 28, 2, 10, QLatin1Char('0'))) +
           Value(7, "MeTrDiHCd", QStringLiteral("1340000001")) +
           Value(7, "MeTrDiHNm", QStringLiteral("みなと薬局")) +
           Value(7, "PrlsHCd", QStringLiteral("131000%1").arg(inst, 4, 10, QLatin1Char('0'))) +
           Value(7, "PrlsHNm", QStringLiteral("内科クリニック%1").arg(inst)) +
           QStringLiteral(
               "              <DrugInfs type=\"record\">\n                <DrugInf type=\"array\">\n");
    for (int d = 0; d < 5; ++d) {
      xml += QStringLiteral("                  <DrugInf_child type=\"record\">\n") +
             Value(10, "MeTrIdCl", QStringLiteral("21")) +
             Value(10, "DrugN", QStringLiteral("薬剤%1錠5mg").arg(d)) +
             Value(10, "Unit", QStringLiteral("錠")) + Value(10, "Qua1", QStringLiteral("1")) +
             Value(10, "Times", QString::number(7 * (1 + d % 4))) +
             QStringLiteral("                  </DrugInf_child>\n");
    }
    xml += QStringLiteral(
        "                </DrugInf>\n              </DrugInfs>\n            </DiDateInf_child>\n");
  }
  xml += QStringLiteral(
      "          </DiDateInf>\n        </DiDateInfs>\n      </MeTrMonthInf_child>\n    </MeTrMonthInf>\n"
      "  </onlinedruggetres>\n</xmlio2>\n");
  return xml.toUtf8();
}

void BM_LoadTwelveMonths(benchmark::State& state) {
  QTemporaryDir dir;
  SetProgramFolder(dir.path());
  SetClockForTesting([] { return QDateTime(QDate(2024, 6, 10), QTime(9, 0)); });
  const QByteArray summary = Summary(12);
  const QByteArray month = Events(3, 0);
  const QByteArray empty = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xmlio2>\n</xmlio2>\n";
  HttpServer server([&](const HttpRequest& r) {
    if (r.body.contains("<Request_Number type=\"string\">02")) return HttpAction::Ok(month);
    if (r.path().endsWith("onlinedruggetv2")) return HttpAction::Ok(summary);
    return HttpAction::Ok(empty);
  });
  server.listen();
  OrcaConnection connection;
  connection.baseUrl = QStringLiteral("http://127.0.0.1:%1/api/").arg(server.port());
  OrcaClient client;
  client.setConnection(connection);
  TainLists lists;
  for (auto _ : state) {
    server.clearRecord();
    const DrugInfoLoad load = RunBlocking(LoadDrugInfo(client, QStringLiteral("123"), kSelf, lists));
    benchmark::DoNotOptimize(TainOverviewOf(lists, kSelf));
    if (!load.phase1Answered) state.SkipWithError("no answer");
  }
  state.counters["requests"] = static_cast<double>(server.requests().size());
  state.counters["records"] = static_cast<double>(lists.prescriptions.size());
  SetClockForTesting({});
}

// 2,000 records over 60 months (33 or 34 a month), read from their answers, then grid and overview.
void BM_ParseAndBuildLongHistory(benchmark::State& state) {
  QTemporaryDir dir;
  SetProgramFolder(dir.path());
  const QByteArray summary = Summary(60);
  QList<QByteArray> months;
  for (int k = 0; k < 60; ++k) months << Events(k < 20 ? 34 : 33, k);
  TainLists lists;
  for (auto _ : state) {
    QString birthDate;
    lists.prescriptions.clear();
    ParseOnlineDrugGet01(ResponseLines(summary), kSelf, lists, &birthDate);
    for (int k = 0; k < 60; ++k) ParseOnlineDrugGet02(months.at(k), Month(k), lists);
    benchmark::DoNotOptimize(TainOverviewOf(lists, kSelf));
  }
  state.counters["records"] = static_cast<double>(lists.prescriptions.size());
}

// The drawing alone for the same lists.
void BM_BuildLongHistory(benchmark::State& state) {
  QTemporaryDir dir;
  SetProgramFolder(dir.path());
  TainLists lists;
  QString birthDate;
  ParseOnlineDrugGet01(ResponseLines(Summary(60)), kSelf, lists, &birthDate);
  for (int k = 0; k < 60; ++k) ParseOnlineDrugGet02(Events(k < 20 ? 34 : 33, k), Month(k), lists);
  for (auto _ : state) benchmark::DoNotOptimize(TainOverviewOf(lists, kSelf));
  state.counters["records"] = static_cast<double>(lists.prescriptions.size());
}

BENCHMARK(BM_LoadTwelveMonths)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_ParseAndBuildLongHistory)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BuildLongHistory)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
