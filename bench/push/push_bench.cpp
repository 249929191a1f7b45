// The drug-information window kept current by push notifications against the same window kept current
// by its timer alone, against orca-sim as a process.
//
// BM_RequestsInADemoHour: the open window over one hour of a demo day with a reception every 3 minutes,
// run 60 times faster (a simulated hour in 60 s: orca-sim --push-every 3, the window's timer at its
// default 60 s ticking every second, the reload window of 1 s and its 300 ms pause scaled alike).
// Argument 0: the timer alone (PUSH=0); 1: push notifications on, the timer still ticking as the window
// runs it (its ticks are skipped while the link stands). The requests are counted from the transport's
// "API: " log lines; every reload is the list plus the online probes of the unmarked patients whose
// probe is due, as the window loads it. The window's opening is not counted: its first load and, with push,
// the list read once the link stands.
//
// BM_AcceptToRow: the real window (Qt widgets, offscreen) with everything as shipped: the delay from
// POST /sim/accept to the event at the link and to the new row in the window's patient table, over 20
// receptions, each made once the window is idle again.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>

#include "async/run_blocking.h"
#include "core/clock.h"
#include "core/log.h"
#include "core/program_folder.h"
#include "core/user_settings.h"
#include "demo_sim.h"
#include "druginfo/drug_info_logic.h"
#include "druginfo/drug_info_view.h"
#include "druginfo/headless_drug_info_ui.h"

namespace {

constexpr int kScale = 60;  // simulated seconds per real second

// A box in the middle of a benchmark is a fault of the window; it is counted, not shown.
class CountingUi : public HeadlessDrugInfoUi {
 public:
  void MessageBox(MessageKind, const QString&) override { ++boxes; }
  int boxes = 0;
};

int LoggedRequests(const QString& pathPart) {
  QFile log(GetLogTxt());
  if (!log.open(QIODevice::ReadOnly)) return 0;
  int count = 0;
  for (const QByteArray& line : log.readAll().split('\n')) {
    if (line.contains(" API: ") && line.contains(pathPart.toUtf8())) ++count;
  }
  return count;
}

void Turn(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

bool Connected(const DrugInfoLogic& logic) {
  return logic.push().status().state == PushState::Connected;
}

// No reload pending and no load running.
bool Settled(const DrugInfoLogic& logic) {
  return RunUntil([&logic] { return !logic.liveReload().reloadPending() && !logic.working(); });
}

void BM_RequestsInADemoHour(benchmark::State& state) {
  const bool push = state.range(0) == 1;
  for (auto _ : state) {
    QTemporaryDir folder;
    SetProgramFolder(folder.path());
    // The window's clock runs as fast as its timers, so that the probes' schedule (minutes after a
    // patient was first listed) passes an hour too.
    QElapsedTimer sinceStart;
    sinceStart.start();
    const QDateTime start(QDate::currentDate(), QTime(9, 0));
    SetClockForTesting([start, sinceStart] { return start.addMSecs(sinceStart.elapsed() * kScale); });
    QProcess sim;
    StartSim(sim, {"--push-every", QString::number(180 / kScale)});
    WriteSetting(Setting::Push, push ? QStringLiteral("1") : QStringLiteral("0"));
    CountingUi ui;
    DrugInfoLogic logic(ui);
    logic.liveReload().setCoalesceMs(1000 / kScale);
    logic.liveReload().setQuietMs(300 / kScale);
    logic.FormShow();
    if (push && !RunUntil([&logic] { return Connected(logic); })) state.SkipWithError("no push link");
    Settled(logic);
    QFile::remove(GetLogTxt());

    // The window's refresh timer, as the view runs it.
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
      ++ticks;
      logic.TimerRefreshTimer();
    });
    timer.start(logic.controls().TimerRefresh.intervalMs / kScale);
    Turn(3600 * 1000 / kScale);
    timer.stop();
    Settled(logic);
    logic.FormClose();

    state.counters["requests"] = LoggedRequests(QStringLiteral("api01rv2/"));
    state.counters["reloads"] = LoggedRequests(QStringLiteral("acceptlstv2"));
    state.counters["ticks"] = ticks;
    state.counters["patientsAtEnd"] = logic.controls().GridPatient.rowCount() - 1;
    if (ui.boxes > 0) state.SkipWithError("a message box");
    sim.kill();
    sim.waitForFinished();
    SetClockForTesting({});
  }
}
BENCHMARK(BM_RequestsInADemoHour)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);

double Median(QList<double> values) {
  std::sort(values.begin(), values.end());
  return values.isEmpty() ? 0 : values[values.size() / 2];
}

void BM_AcceptToRow(benchmark::State& state) {
  constexpr int kReceptions = 20;
  QList<double> toEvent, toRow;
  for (auto _ : state) {
    QTemporaryDir folder;
    SetProgramFolder(folder.path());
    QProcess sim;
    const QString url = StartSim(sim, {});
    QStringList reports;
    TfrmDrugInfo window(nullptr, [&reports](const QString& type, const QString& message) {
      reports << type + QStringLiteral(": ") + message;
    });
    window.show();
    DrugInfoLogic& logic = window.logic();
    if (!RunUntil([&logic] { return Connected(logic); })) state.SkipWithError("no push link");
    Settled(logic);
    auto* table = window.findChild<QTableWidget*>(QStringLiteral("GridPatient"));
    QElapsedTimer clock;
    QObject::connect(&logic.push(), &PushLink::eventArrived, [&] { toEvent << clock.nsecsElapsed() / 1e6; });

    QNetworkAccessManager manager;
    for (int i = 0; i < kReceptions; ++i) {
      const int rows = table->rowCount();
      QNetworkRequest request(QUrl(url + QStringLiteral("/sim/accept")));
      request.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
      request.setRawHeader("Authorization", "Basic " + QByteArray("ormaster:ormaster").toBase64());
      clock.start();
      QNetworkReply* reply = manager.post(request, "Patient_ID=" + QByteArray::number(i % 30 + 1));
      QObject::connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
      while (table->rowCount() == rows && clock.elapsed() < 10000) Turn(1);
      toRow << clock.nsecsElapsed() / 1e6;
      Settled(logic);  // the marks of the new list probed, nothing pending
    }
    window.close();
    if (!reports.isEmpty()) state.SkipWithError(reports.constFirst().toStdString().c_str());
    sim.kill();
    sim.waitForFinished();
  }
  state.counters["toEventMs"] = Median(toEvent);
  state.counters["toRowMs"] = Median(toRow);
  state.counters["toRowMaxMs"] = toRow.isEmpty() ? 0 : *std::max_element(toRow.begin(), toRow.end());
}
BENCHMARK(BM_AcceptToRow)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
