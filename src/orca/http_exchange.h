#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QUrl>
#include <optional>

#include "async/task.h"
#include "orca/cert_store.h"
#include "orca/reply_wait.h"

class QNetworkAccessManager;
class QNetworkReply;

// One HTTP request to an ORCA server, as the request transport and the connection test both make
// it: Basic credentials sent with the request, to that server alone (a redirect elsewhere is
// refused); TLS 1.2 alone when restricted; the first client certificate of the user's store; the bounds of
// the wait; and what came of it. What differs between the two — attempts, texts, which client —
// is theirs. One exchange keeps its connections open for the requests that follow.
class HttpExchange : public QObject {
  Q_OBJECT
 public:
  struct Request {
    QUrl url;
    std::optional<QByteArray> xmlBody;  // POSTed as UTF-8 XML; nothing: a plain GET
    bool closeConnection = false;       // "Connection: close", as a retry asks
  };

  struct Outcome {
    bool arrived = false;  // a whole answer with a status came back
    int status = 0;
    QByteArray content;
    // A failure: its text, and the HTTP layer's error code when the layer reported one (-1 else).
    QString errorMessage;
    int errorCode = -1;
    bool retryable = false;  // one of the four conditions after which a request is sent again
  };

  explicit HttpExchange(QObject* parent = nullptr);

  // The credentials every request carries from now on.
  void setCredentials(const QString& user, const QString& password) {
    user_ = user;
    password_ = password;
  }
  const QString& user() const { return user_; }
  const QString& password() const { return password_; }
  void setTls12Only(bool only) { tls12Only_ = only; }
  bool tls12Only() const { return tls12Only_; }
  void setCertStore(const ClientCertStore& store) { certStore_ = store; }
  void setLimits(const ExchangeLimits& limits) { limits_ = limits; }
  const ExchangeLimits& limits() const { return limits_; }

  // A fresh start: no open connection.
  void forgetConnections();

  // Waits without blocking; destroying the task aborts the request.
  Task<Outcome> send(Request request, QDeadlineTimer deadline);

 private:
  QNetworkAccessManager* manager_;
  ClientCertStore certStore_;
  QString user_;
  QString password_;
  bool tls12Only_ = false;
  QByteArray tlsInUse_;  // what the pooled connections were opened with
  ExchangeLimits limits_;
};
