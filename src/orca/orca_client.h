#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QUrl>

#include "orca/blocking_wait.h"
#include "orca/cert_store.h"
#include "orca/connection.h"

class QAuthenticator;
class QNetworkAccessManager;
class QNetworkReply;

// The one way the program talks to ORCA. ORCAPost sends a request (POST with an XML body, GET for a
// blank body), tries at most three times after a transport failure that may pass, logs every step
// and stores a status-200 answer in the path's dump file, whose full path it returns; "" otherwise.
// One client serves a window for its whole life, so requests to one server share a connection.
class OrcaClient : public QObject {
  Q_OBJECT
 public:
  struct Response {
    bool arrived = false;    // false: the HTTP layer failed
    bool retryable = false;  // for a failure: one of the four retryable conditions
    QString errorMessage;    // for a failure
    int status = 0;
    QByteArray content;
  };

  explicit OrcaClient(QObject* parent = nullptr);

  void setConnection(const OrcaConnection& connection) { connection_ = connection; }
  const OrcaConnection& connection() const { return connection_; }
  void setTimeoutMs(int ms) { limits_.idleTimeoutMs = ms; }  // 60 s; tests shorten it
  void setLimits(const ExchangeLimits& limits) { limits_ = limits; }
  void setCertStore(const ClientCertStore& store) { certStore_ = store; }

  QString ORCAPost(const QString& apiPath, const QString& body);

  const QString& FAuthUser() const { return authUser_; }
  const QString& FAuthPass() const { return authPass_; }
  bool tlsRestrictedTo12() const { return tls12Only_; }

 private:
  Response DoHttpRequest(bool isRetry);
  void NetHTTPClient1AuthEvent(QNetworkReply* reply, QAuthenticator* authenticator);
  QString attempt();
  void log(const QString& text);

  QNetworkAccessManager* NetHTTPClient1;
  OrcaConnection connection_;
  ClientCertStore certStore_;
  QString authUser_;
  QString authPass_;
  bool tls12Only_ = false;
  QByteArray tlsInUse_;  // what the pooled connections were opened with  // once applied in cloud mode it
                         // stays for the client's life
  ExchangeLimits limits_;
  QDeadlineTimer deadline_;  // of the whole request, retries included
  QUrl url_;
  QString body_;
  QString apiPath_;
};
