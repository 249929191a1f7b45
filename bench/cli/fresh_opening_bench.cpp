// Opening one demo patient with a fresh client, as rinmed-cli patient does, against orca-sim
// answering after 20 ms: the program's requests (its "API: " log lines), the HTTP exchanges that
// reached the server (authentication challenges included: a relay in front of orca-sim counts the
// request lines) and the wall time. Arguments: the patient, PARALLEL.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include "async/run_blocking.h"
#include "core/log.h"
#include "core/program_folder.h"
#include "core/user_settings.h"
#include "demo_sim.h"
#include "orca/connection.h"
#include "orca/orca_client.h"
#include "usecases/find_patient.h"
#include "usecases/list_day.h"
#include "usecases/open_patient.h"

namespace {

constexpr int kLatencyMs = 20;

// Passes every connection on to the simulator and counts the request lines going there.
class CountingRelay : public QTcpServer {
 public:
  explicit CountingRelay(quint16 target) : target_(target) {
    connect(this, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* client = nextPendingConnection()) relay(client);
    });
  }
  int requests = 0;
  int connections = 0;

 private:
  void relay(QTcpSocket* client) {
    ++connections;
    auto* server = new QTcpSocket(client);
    server->connectToHost(QHostAddress::LocalHost, target_);
    connect(client, &QTcpSocket::readyRead, server, [this, client, server] {
      const QByteArray bytes = client->readAll();
      requests += static_cast<int>(bytes.count(" HTTP/1.1\r\n"));
      server->write(bytes);
    });
    connect(server, &QTcpSocket::readyRead, client, [client, server] { client->write(server->readAll()); });
    connect(server, &QTcpSocket::disconnected, client, &QTcpSocket::disconnectFromHost);
    connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
  }
  quint16 target_;
};

int ApiLines() {
  QFile log(GetLogTxt());
  if (!log.open(QIODevice::ReadOnly)) return 0;
  return static_cast<int>(log.readAll().count(" API: "));
}

void BM_FreshOpening(benchmark::State& state) {
  QTemporaryDir folder;
  SetProgramFolder(folder.path());
  QProcess sim;
  const quint16 port = StartSim(sim, {"--latency", QString::number(kLatencyMs)}).section(':', -1).toUShort();
  CountingRelay relay(port);
  relay.listen(QHostAddress::LocalHost, 0);
  WriteSetting(Setting::ApiUrl, QStringLiteral("http://127.0.0.1:%1/api/").arg(relay.serverPort()));
  WriteSetting(Setting::Push, QStringLiteral("0"));
  WriteSetting(Setting::Parallel, QString::number(state.range(1)));
  const QString patient = QString::number(state.range(0));

  for (auto _ : state) {
    state.PauseTiming();
    QFile::remove(GetLogTxt());
    relay.requests = 0;
    relay.connections = 0;
    OrcaClient client;
    client.setConnection(ReadConnection());
    QElapsedTimer wall;
    state.ResumeTiming();
    wall.start();
    const NumberSearch found = RunBlocking(FindPatientByNumber(client, patient));
    const OpenedPatient opened =
        RunBlocking(LoadPatient(client, patient, found.name, QString(), TainLists()));
    RunBlocking(ProbeMarks(client, {patient}));
    benchmark::DoNotOptimize(opened.ageLabel);
    const qint64 wallMs = wall.elapsed();
    state.PauseTiming();
    state.counters["requests"] = ApiLines();
    state.counters["http_exchanges"] = relay.requests;
    state.counters["connections"] = relay.connections;
    state.counters["wall_ms"] = static_cast<double>(wallMs);
    state.ResumeTiming();
  }
  sim.kill();
  sim.waitForFinished();
}

}  // namespace

BENCHMARK(BM_FreshOpening)
    ->Args({1, 1})
    ->Args({3, 1})
    ->Args({1, 4})
    ->Args({3, 4})
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
