// One own-institution history load against a loopback ORCA that answers after 20 ms: the requests
// by class, the TCP connections opened, and wall time ÷ (requests × 20 ms), i.e. how much the
// program adds to ORCA's own time.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include "async/run_blocking.h"
#include "core/clock.h"
#include "core/program_folder.h"
#include "orca/connection.h"
#include "orca/orca_client.h"
#include "ownhistory/self_history_load.h"
#include "self_orca.h"

namespace {

constexpr int kOrcaMs = 20;

HttpAction Slow(const QByteArray& body) {
  return HttpAction::Ok(body).after(kOrcaMs);
}

// Treated days 1 to `days` of `month`, each in department 01 with ten oral drugs.
void ScriptMonth(SelfOrca& orca, const QString& month, int days) {
  QList<Visit> visits;
  QString calendar(31, u'0');
  for (int d = 1; d <= days; ++d) {
    calendar[d - 1] = u'1';
    visits << Visit{month + QStringLiteral("-%1").arg(d, 2, 10, QLatin1Char('0')), QStringLiteral("01")};
  }
  orca.answer(QStringLiteral("03 ") + month,
              Slow(MonthOverviewAnswer(month, {{QStringLiteral("620000001"), calendar}})));
  QList<OrderedDrug> drugs;
  for (int i = 0; i < 10; ++i) {
    drugs << OrderedDrug{QStringLiteral("62000000%1").arg(i), QStringLiteral("内服薬%1").arg(i),
                         QStringLiteral("1"), QStringLiteral("錠")};
  }
  for (const Visit& v : visits) {
    orca.answer(QStringLiteral("01 ") + v.date, Slow(DayVisitsAnswer(visits)));
    orca.answer(QStringLiteral("02 ") + v.date + QStringLiteral(" 01"),
                Slow(DayActsAnswer(v.date, QStringLiteral("01"),
                                   {{QStringLiteral("210"), QStringLiteral("14"), drugs}})));
  }
}

void Run(benchmark::State& state, const QString& emptyMonthsBefore) {
  QTemporaryDir dir;
  SetProgramFolder(dir.path());
  SetClockForTesting([] { return QDateTime(QDate(2024, 5, 20), QTime(10, 0)); });
  SelfOrca orca;
  orca.configure();
  const int days = static_cast<int>(state.range(0));
  ScriptMonth(orca, QStringLiteral("2024-02"), days);
  // Months between the current one and the month with drugs answer at once with nothing.
  for (const QString& month : emptyMonthsBefore.split(u',', Qt::SkipEmptyParts)) {
    orca.answer(QStringLiteral("03 ") + month, Slow(MonthOverviewAnswer(month, {})));
  }
  const QString start = emptyMonthsBefore.isEmpty() ? QStringLiteral("2024-02") : QString();
  int requests = 0;
  int connections = 0;
  double wallMs = 0;
  QMap<QString, int> byClass;
  for (auto _ : state) {
    OrcaClient client;  // a fresh client per load: its first request opens the connection
    client.setConnection(ReadConnection());
    orca.clearRecord();
    QElapsedTimer wall;
    wall.start();
    const std::optional<SelfYakureki> shown =
        RunBlocking(LoadSelfDrugInfo(client, QStringLiteral("00123"), start));
    if (!shown || shown->memo.isEmpty()) state.SkipWithError("nothing shown");
    wallMs += wall.nsecsElapsed() / 1e6;
    requests = orca.requests().size();
    connections = orca.connectionsOpened();
    byClass.clear();
    for (const QString& asked : orca.asked()) ++byClass[asked.left(2)];
  }
  state.counters["requests"] = requests;
  state.counters["class01"] = byClass.value(QStringLiteral("01"));
  state.counters["class02"] = byClass.value(QStringLiteral("02"));
  state.counters["class03"] = byClass.value(QStringLiteral("03"));
  state.counters["connections"] = connections;
  state.counters["ratio"] = wallMs / static_cast<double>(state.iterations()) / (requests * kOrcaMs);
  SetClockForTesting({});
}

void BM_LoadMonth(benchmark::State& state) {
  Run(state, QString());
}
void BM_LoadAfterStepBack(benchmark::State& state) {
  Run(state, QStringLiteral("2024-05,2024-04,2024-03"));
}

BENCHMARK(BM_LoadMonth)->Arg(1)->Arg(8)->Arg(20)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_LoadAfterStepBack)->Arg(8)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
