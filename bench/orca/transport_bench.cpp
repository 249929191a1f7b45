// 500 sequential requests against a loopback server answering 20 KB: requests per second, TCP
// connections opened, and what a post costs beyond a bare QNetworkAccessManager post to the same
// server (endpoint resolution with its settings reads, two log lines, the atomic dump write).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTemporaryDir>

#include "async/run_blocking.h"
#include "core/program_folder.h"
#include "http_server.h"
#include "orca/orca_client.h"
#include "process_status.h"

namespace {

constexpr int kRequests = 500;
const QString kBody =
    "<data>  <acceptlstreq type=\"record\">    <Acceptance_Date type=\"string\">2025-03-14</Acceptance_Date>"
    "  </acceptlstreq></data>";

QByteArray Answer() {
  QByteArray line = "    <WholeName type=\"string\">試験 花子</WholeName>\n";
  QByteArray body = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xmlio2>\n";
  while (body.size() < 20 * 1024) body += line;
  return body + "</xmlio2>\n";
}

struct Loopback {
  QTemporaryDir dir;
  HttpServer server{[answer = Answer()](const HttpRequest&) { return HttpAction::Ok(answer); }};
  Loopback() {
    server.listen();
    SetProgramFolder(dir.path());
  }
  QString base() const { return QString("http://127.0.0.1:%1/api/").arg(server.port()); }
};

void BM_OrcaPost(benchmark::State& state) {
  Loopback loopback;
  OrcaClient client;
  OrcaConnection connection;
  connection.baseUrl = loopback.base();
  client.setConnection(connection);
  for (auto _ : state) {
    for (int i = 0; i < kRequests; ++i) {
      if (RunBlocking(client.post("api01rv2/acceptlstv2?class=03", kBody)).dumpPath.isEmpty())
        state.SkipWithError("no answer");
    }
  }
  state.SetItemsProcessed(state.iterations() * kRequests);
  state.counters["connections"] = loopback.server.connectionsOpened();
}

void BM_BareQtPost(benchmark::State& state) {
  Loopback loopback;
  QNetworkAccessManager manager;
  QNetworkRequest request(QUrl(loopback.base() + "api01rv2/acceptlstv2?class=03"));
  request.setRawHeader("Content-Type", "application/xml; charset=UTF-8");
  const QByteArray body = kBody.toUtf8();
  for (auto _ : state) {
    for (int i = 0; i < kRequests; ++i) {
      QNetworkReply* reply = manager.post(request, body);
      QEventLoop loop;
      QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
      loop.exec();
      benchmark::DoNotOptimize(reply->readAll());
      reply->deleteLater();
    }
  }
  state.SetItemsProcessed(state.iterations() * kRequests);
  state.counters["connections"] = loopback.server.connectionsOpened();
}

BENCHMARK(BM_OrcaPost)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_BareQtPost)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// An answer without end, streamed over loopback as fast as the client takes it: the client's peak
// resident memory and how the request ends (the size limit of 64 MiB).
void BM_EndlessAnswer(benchmark::State& state) {
  QTemporaryDir dir;
  SetProgramFolder(dir.path());
  HttpServer server([](const HttpRequest&) { return HttpAction::Endless(QByteArray(64 * 1024, 'x')); });
  server.listen();
  OrcaClient client;
  OrcaConnection connection;
  connection.baseUrl = QString("http://127.0.0.1:%1/api/").arg(server.port());
  client.setConnection(connection);
  const long before = ProcessStatusKiB("VmRSS:");
  for (auto _ : state) {
    const OrcaAnswer answer = RunBlocking(client.post("api01rv2/acceptlstv2?class=03", kBody));
    if (answer.ok()) state.SkipWithError("an answer");
    state.SetLabel(answer.error.toStdString());
  }
  state.counters["residentBeforeMiB"] = static_cast<double>(before) / 1024;
  state.counters["peakResidentMiB"] = static_cast<double>(ProcessStatusKiB("VmHWM:")) / 1024;
  state.counters["streamedMiB"] = static_cast<double>(server.bytesStreamed()) / (1024 * 1024);
}
BENCHMARK(BM_EndlessAnswer)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace
