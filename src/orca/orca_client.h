#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QString>

#include "async/task.h"
#include "orca/cert_store.h"
#include "orca/connection.h"
#include "orca/http_exchange.h"
#include "orca/response_reader.h"

// What a request to ORCA brought back: a status-200 answer, stored in its API path's dump file,
// or nothing.
struct OrcaAnswer {
  QString dumpPath;    // "" when no status-200 answer was stored
  QByteArray content;  // the stored bytes: a byte-order mark, then the answer as UTF-8
  // Why not ok(), for a caller that must say so: the status of an answer other than 200, or the
  // transport's message when no answer came (0 and "" for a failure before sending).
  int status = 0;
  QString error;
  bool ok() const { return !dumpPath.isEmpty(); }
  QStringList lines() const { return ResponseLines(content); }
};

// The one way the program talks to ORCA. A request is a POST with an XML body (a GET for a blank
// body), tried at most three times after a transport failure that may pass, with every step logged
// and a status-200 answer stored in the path's dump file. One client serves a window for its
// whole life, so requests to one server share their connections.
class OrcaClient : public QObject {
  Q_OBJECT
 public:
  explicit OrcaClient(QObject* parent = nullptr);

  void setConnection(const OrcaConnection& connection) { connection_ = connection; }
  const OrcaConnection& connection() const { return connection_; }
  void setTimeoutMs(int ms) {  // 60 s; tests shorten it
    ExchangeLimits limits = NetHTTPClient1->limits();
    limits.idleTimeoutMs = ms;
    NetHTTPClient1->setLimits(limits);
  }
  void setLimits(const ExchangeLimits& limits) { NetHTTPClient1->setLimits(limits); }
  void setCertStore(const ClientCertStore& store) { NetHTTPClient1->setCertStore(store); }

  // Waits without blocking. Only a failure of the request's first log line is raised; every other
  // failure is logged and gives an answer that is not ok().
  Task<OrcaAnswer> post(QString apiPath, QString body);

  // The same for a caller that waits for it: the dump file's path, "" on any failure.
  QString ORCAPost(const QString& apiPath, const QString& body);

  const QString& FAuthUser() const { return NetHTTPClient1->user(); }
  const QString& FAuthPass() const { return NetHTTPClient1->password(); }
  // Once applied in cloud mode, the restriction stays for the client's life.
  bool tlsRestrictedTo12() const { return NetHTTPClient1->tls12Only(); }

 private:
  Task<OrcaAnswer> attempts(QString apiPath, HttpExchange::Request request);

  HttpExchange* NetHTTPClient1;
  OrcaConnection connection_;
};
