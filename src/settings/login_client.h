#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

#include "orca/blocking_wait.h"
#include "orca/cert_store.h"

class QAuthenticator;
class QNetworkAccessManager;
class QNetworkReply;
class QSslConfiguration;

// The settings window's own HTTP client, apart from the drug-information window's transport:
// one GET per test, credentials handed out when the server asks, and the first certificate of
// the user's store presented when the server asks for one.
class LoginClient : public QObject {
  Q_OBJECT
 public:
  struct Outcome {
    bool arrived = false;  // false: the request failed before any status came back
    QString errorMessage;
    int status = 0;
    QByteArray body;
  };

  explicit LoginClient(QObject* parent = nullptr);

  void setCredentials(const QString& user, const QString& password);
  void setTls12Only(bool only) { tls12Only_ = only; }
  bool tls12Only() const { return tls12Only_; }
  void setCertStore(const ClientCertStore& store) { certStore_ = store; }
  void setTimeoutMs(int ms) { limits_.idleTimeoutMs = ms; }
  void setLimits(const ExchangeLimits& limits) { limits_ = limits; }

  Outcome get(const QUrl& url);

 private:
  void NetHTTPClient1AuthEvent(QNetworkReply* reply, QAuthenticator* authenticator);
  void NetHTTPClient1NeedClientCertificate(QSslConfiguration* tls) const;

  QNetworkAccessManager* NetHTTPClient1;
  ClientCertStore certStore_;
  QString authUser_;
  QString authPass_;
  bool tls12Only_ = false;
  ExchangeLimits limits_;
};
