// A list kept current by push notifications against one kept current by its timer alone, against
// orca-sim as a process.
//
// BM_RequestsInADemoHour: one hour of a demo day with a reception every 3 minutes, run 60 times faster
// (a simulated hour in 60 s: orca-sim --push-every 3, the 60 s timer every second, the 1 s coalescing
// window in 17 ms). Argument 0: the timer alone; 1: push alone (reloads on events and on connecting).
// The requests are counted from the transport's "API: " log lines; every reload is the list plus the
// online probes of its patients, as the window loads it. The window's own first load is not counted.
//
// BM_AcceptToReload: the delay from POST /sim/accept to the event at the link, to the reload request
// (the coalescing window as shipped, 1 s) and to the re-read list, over 20 receptions.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>

#include "async/run_blocking.h"
#include "core/clock.h"
#include "core/log.h"
#include "core/program_folder.h"
#include "core/user_settings.h"
#include "orca/orca_client.h"
#include "push/live_reload.h"
#include "push/push_link.h"
#include "usecases/list_day.h"

namespace {

constexpr int kScale = 60;  // simulated seconds per real second

// orca-sim on a free port, user.ini in the program folder pointing at it; its base URL.
QString StartSim(QProcess& sim, const QStringList& arguments) {
  sim.start(ORCA_SIM_EXECUTABLE, QStringList{"--port", "0"} + arguments);
  sim.waitForReadyRead(10000);
  const QString url = QString::fromUtf8(sim.readLine()).trimmed().section(' ', -1);
  WriteSetting(Setting::ApiUrl, url + QStringLiteral("/api/"));
  WriteSetting(Setting::ApiUser, QStringLiteral("ormaster"));
  WriteSetting(Setting::ApiKey, QStringLiteral("ormaster"));
  WriteSetting(Setting::InstitutionCode, QStringLiteral("1234567"));
  return url;
}

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

void BM_RequestsInADemoHour(benchmark::State& state) {
  const bool push = state.range(0) == 1;
  int reloads = 0;
  qsizetype listed = 0;
  for (auto _ : state) {
    QTemporaryDir folder;
    SetProgramFolder(folder.path());
    QProcess sim;
    StartSim(sim, {"--push-every", QString::number(180 / kScale)});
    OrcaClient client;
    client.setConnection(GetWebORCAInfo());
    const auto reload = [&] {
      ++reloads;
      const std::optional<DayList> list = RunBlocking(ListDay(client, Today(), ListMode::All));
      if (list) listed = list->patients.size();
    };
    reload();  // the window's first load, not counted
    QFile::remove(GetLogTxt());
    reloads = 0;

    PushLink link;
    LiveReload live(reload);
    live.setCoalesceMs(1000 / kScale);
    live.setDayShown(Today());
    live.attach(link);
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, reload);
    if (push) {
      link.start(ReadPushTarget());
    } else {
      timer.start(60000 / kScale);
    }
    Turn(3600 * 1000 / kScale);
    link.stop();
    timer.stop();
    state.counters["requests"] = LoggedRequests(QStringLiteral("api01rv2/"));
    state.counters["listRequests"] = LoggedRequests(QStringLiteral("acceptlstv2"));
    sim.kill();
    sim.waitForFinished();
  }
  state.counters["reloads"] = reloads;
  state.counters["patientsAtEnd"] = static_cast<double>(listed);
}
BENCHMARK(BM_RequestsInADemoHour)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);

double Median(QList<double> values) {
  std::sort(values.begin(), values.end());
  return values.isEmpty() ? 0 : values[values.size() / 2];
}

void BM_AcceptToReload(benchmark::State& state) {
  constexpr int kReceptions = 20;
  QList<double> toEvent, toReload, toList;
  for (auto _ : state) {
    QTemporaryDir folder;
    SetProgramFolder(folder.path());
    QProcess sim;
    const QString url = StartSim(sim, {});
    OrcaClient client;
    client.setConnection(GetWebORCAInfo());
    QElapsedTimer clock;
    bool listed = false;
    LiveReload live([&] {
      toReload << clock.nsecsElapsed() / 1e6;
      RunBlocking(ListDay(client, Today(), ListMode::All));
      toList << clock.nsecsElapsed() / 1e6;
      listed = true;
    });
    live.setDayShown(Today());
    PushLink link;
    live.attach(link);
    QObject::connect(&link, &PushLink::eventArrived, [&] { toEvent << clock.nsecsElapsed() / 1e6; });
    link.start(ReadPushTarget());
    while (!listed) Turn(10);  // connected, and the reload of connecting done
    toReload.clear();
    toList.clear();

    QNetworkAccessManager manager;
    for (int i = 0; i < kReceptions; ++i) {
      listed = false;
      QNetworkRequest request(QUrl(url + QStringLiteral("/sim/accept")));
      request.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
      request.setRawHeader("Authorization", "Basic " + QByteArray("ormaster:ormaster").toBase64());
      clock.start();
      QNetworkReply* reply = manager.post(request, "Patient_ID=" + QByteArray::number(i % 30 + 1));
      QObject::connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
      while (!listed) Turn(1);
    }
    link.stop();
    sim.kill();
    sim.waitForFinished();
  }
  state.counters["toEventMs"] = Median(toEvent);
  state.counters["toReloadMs"] = Median(toReload);
  state.counters["toListMs"] = Median(toList);
  state.counters["toListMaxMs"] = toList.isEmpty() ? 0 : *std::max_element(toList.begin(), toList.end());
}
BENCHMARK(BM_AcceptToReload)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
