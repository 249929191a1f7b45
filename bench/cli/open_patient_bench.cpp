// Opening one demo patient by its number against orca-sim answering after 20 ms: the requests,
// the wall time, the connections opened and the ratio of the wall time to the requests' time at
// ORCA (requests × 20 ms) — below 1 when requests go side by side. Second argument: PARALLEL.
// Third argument 0: a fresh client, as rinmed-cli patient runs (its first request also meets the
// server's authentication challenge, one more round trip); 1: in a window that has already listed
// the day, as a user opens a patient.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <set>

#include "async/run_blocking.h"
#include "core/log.h"
#include "core/program_folder.h"
#include "core/user_settings.h"
#include "demo_sim.h"
#include "druginfo/drug_info_logic.h"
#include "druginfo/headless_drug_info_ui.h"
#include "usecases/find_patient.h"
#include "usecases/list_day.h"
#include "usecases/open_patient.h"

namespace {

constexpr int kLatencyMs = 20;

class SilentUi : public HeadlessDrugInfoUi {
 public:
  void MessageBox(MessageKind, const QString& text) override { throw std::runtime_error(text.toStdString()); }
};

// Local ports of the TCP connections to the port, open or closing, as the kernel lists them.
std::set<QString> ConnectionsTo(int port) {
  std::set<QString> found;
  QFile tcp(QStringLiteral("/proc/net/tcp"));
  if (!tcp.open(QIODevice::ReadOnly)) return found;
  const QString remote = QStringLiteral(":%1").arg(port, 4, 16, QLatin1Char('0')).toUpper();
  for (const QByteArray& line : tcp.readAll().split('\n')) {
    const QStringList f = QString::fromLatin1(line).simplified().split(' ');
    if (f.size() > 3 && f[2].endsWith(remote)) found.insert(f[1]);
  }
  return found;
}

// Requests by their API path, from the transport's "API: " log lines.
QMap<QString, int> RequestsByKind() {
  QMap<QString, int> kinds;
  QFile log(GetLogTxt());
  if (!log.open(QIODevice::ReadOnly)) return kinds;
  static const QRegularExpression api(QStringLiteral(" API: (\\S+) URL: "));
  for (const QByteArray& line : log.readAll().split('\n')) {
    const QRegularExpressionMatch m = api.match(QString::fromLocal8Bit(line));
    if (!m.hasMatch()) continue;
    const QString path = m.captured(1);
    kinds[path.contains(QStringLiteral("patientgetv2")) ? path.section('?', 0, 0) : path]++;
  }
  return kinds;
}

void BM_OpenDemoPatient(benchmark::State& state) {
  QTemporaryDir folder;
  SetProgramFolder(folder.path());
  QProcess sim;
  const int port = StartSim(sim, {"--latency", QString::number(kLatencyMs)}).section(':', -1).toInt();
  // The opening alone is measured: no list read in between because a push link came up.
  WriteSetting(Setting::Push, QStringLiteral("0"));

  const QString patient = QString::number(state.range(0));
  WriteSetting(Setting::Parallel, QString::number(state.range(1)));
  auto settle = [](const DrugInfoLogic& logic) { RunUntil([&logic] { return !logic.working(); }); };
  for (auto _ : state) {
    state.PauseTiming();
    SilentUi ui;
    DrugInfoLogic logic(ui);
    OrcaClient client;
    client.setConnection(ReadConnection());
    const bool inWindow = state.range(2) == 1;
    if (inWindow) {
      logic.FormShow();  // lists the day
      settle(logic);
    }
    logic.controls().EditSearch.text = patient;
    QFile::remove(GetLogTxt());
    const std::set<QString> before = ConnectionsTo(port);
    QElapsedTimer wall;
    state.ResumeTiming();
    wall.start();
    if (inWindow) {
      logic.BtnSearchClick();
      settle(logic);
    } else {  // as rinmed-cli patient does
      const NumberSearch found = RunBlocking(FindPatientByNumber(client, patient));
      const OpenedPatient opened =
          RunBlocking(LoadPatient(client, patient, found.name, QString(), TainLists()));
      RunBlocking(ProbeMarks(client, {patient}));
      benchmark::DoNotOptimize(opened.ageLabel);
    }
    const qint64 wallMs = wall.elapsed();
    state.PauseTiming();
    std::set<QString> opened = ConnectionsTo(port);
    for (const QString& old : before) opened.erase(old);
    int requests = 0;
    const QMap<QString, int> kinds = RequestsByKind();
    for (auto it = kinds.cbegin(); it != kinds.cend(); ++it) {
      state.counters[it.key().toStdString()] = it.value();
      requests += it.value();
    }
    state.counters["requests"] = requests;
    state.counters["connections"] = static_cast<double>(opened.size());
    state.counters["ms_at_orca"] = requests * kLatencyMs;
    state.counters["ratio"] = requests > 0 ? double(wallMs) / (requests * kLatencyMs) : 0;
    state.ResumeTiming();
  }
  sim.kill();
  sim.waitForFinished();
}

}  // namespace

BENCHMARK(BM_OpenDemoPatient)
    ->Args({1, 1, 0})
    ->Args({3, 1, 0})
    ->Args({1, 4, 0})
    ->Args({3, 4, 0})
    ->Args({1, 1, 1})
    ->Args({3, 1, 1})
    ->Args({1, 4, 1})
    ->Args({3, 4, 1})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
