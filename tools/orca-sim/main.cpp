#include <QCoreApplication>
#include <QHostAddress>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "http_server.h"
#include "orca_sim.h"
#include "platform/console.h"
#include "sim_options.h"
#include "sim_tls.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  UseUtf8Console();
  SimOptions options;
  QString message;
  switch (ParseSimOptions(app.arguments(), &options, &message)) {
    case ParseOutcome::Help:
      std::fputs(qPrintable(message), stdout);
      return 0;
    case ParseOutcome::Error:
      std::fprintf(stderr, "orca-sim: %s\n", qPrintable(message));
      return 2;
    case ParseOutcome::Run:
      break;
  }
  QString error;
  const std::optional<TlsSettings> tls = SimTlsSettings(options, &error);
  if (!error.isEmpty()) {
    std::fprintf(stderr, "orca-sim: %s\n", qPrintable(error));
    return 2;
  }
  const QHostAddress address(options.host);
  if (address.isNull()) {
    std::fprintf(stderr, "orca-sim: --host: not an address: %s\n", qPrintable(options.host));
    return 2;
  }
  OrcaSimulator simulator(options);
  HttpServer server([&simulator](const HttpRequest& request) { return simulator.handle(request); });
  simulator.attach(server);
  if (!server.listen(address, static_cast<quint16>(options.port), tls)) {
    std::fprintf(stderr, "orca-sim: cannot listen on %s:%d: %s\n", qPrintable(options.host), options.port,
                 qPrintable(server.errorString()));
    return 1;
  }
  // The pusher is a server of its own, as ORCA 5.2's, on a second port.
  std::unique_ptr<HttpServer> pushServer;
  if (options.pushPort) {
    pushServer = std::make_unique<HttpServer>(
        [&simulator](const HttpRequest& request) { return simulator.handlePush(request); });
    simulator.attachPush(*pushServer);
    if (!pushServer->listen(address, static_cast<quint16>(*options.pushPort), tls)) {
      std::fprintf(stderr, "orca-sim: cannot listen on %s:%d: %s\n", qPrintable(options.host),
                   *options.pushPort, qPrintable(pushServer->errorString()));
      return 1;
    }
  }
  // Scripts wait for this line, and read the port from it when they asked for a free one.
  const QString host =
      address.protocol() == QAbstractSocket::IPv6Protocol ? "[" + options.host + "]" : options.host;
  std::printf("orca-sim listening on %s://%s:%d\n", tls ? "https" : "http", qPrintable(host), server.port());
  if (pushServer) {
    std::printf("orca-sim push on %s://%s:%d/ws\n", tls ? "wss" : "ws", qPrintable(host), pushServer->port());
  }
  std::fflush(stdout);
  const bool drawsFaults = std::any_of(options.faults.begin(), options.faults.end(),
                                       [](const FaultRule& f) { return f.percent > 0; });
  if ((options.jitterMs > 0 || drawsFaults) && !options.seed) {
    std::fprintf(stderr, "orca-sim: jitter seed %u (--seed %u repeats it)\n", simulator.seed(),
                 simulator.seed());
  }
  return app.exec();
}
