#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QUrl>

#include "orca/cert_store.h"
#include "orca/connection.h"
#include "orca/http_exchange.h"

// The one way the program talks to ORCA. ORCAPost sends a request (POST with an XML body, GET for a
// blank body), tries at most three times after a transport failure that may pass, logs every step
// and stores a status-200 answer in the path's dump file, whose full path it returns; "" otherwise.
// One client serves a window for its whole life, so requests to one server share a connection.
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

  QString ORCAPost(const QString& apiPath, const QString& body);

  const QString& FAuthUser() const { return NetHTTPClient1->user(); }
  const QString& FAuthPass() const { return NetHTTPClient1->password(); }
  // Once applied in cloud mode, the restriction stays for the client's life.
  bool tlsRestrictedTo12() const { return NetHTTPClient1->tls12Only(); }

 private:
  HttpExchange::Outcome DoHttpRequest(bool isRetry, const QDeadlineTimer& deadline);
  QString attempt();
  void log(const QString& text);

  HttpExchange* NetHTTPClient1;
  OrcaConnection connection_;
  QUrl url_;
  QString body_;
  QString apiPath_;
};
