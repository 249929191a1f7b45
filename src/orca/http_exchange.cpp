#include "orca/http_exchange.h"

#include <QAuthenticator>
#include <QCryptographicHash>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "orca/answer_completeness.h"
#include "orca/client_tls.h"
#include "orca/transport_errors.h"

namespace {

const char* const kOfferedProperty = "rinmedCredentialsOffered";

}  // namespace

HttpExchange::HttpExchange(QObject* parent) : QObject(parent), manager_(new QNetworkAccessManager(this)) {
  connect(manager_, &QNetworkAccessManager::authenticationRequired, this, &HttpExchange::offerCredentials);
  connect(manager_, &QNetworkAccessManager::proxyAuthenticationRequired, this,
          [this](const QNetworkProxy&, QAuthenticator* authenticator) {
            authenticator->setUser(user_);
            authenticator->setPassword(password_);
          });
}

// When the server refuses the credentials, the request ends with its 401 instead of asking forever.
void HttpExchange::offerCredentials(QNetworkReply* reply, QAuthenticator* authenticator) {
  if (reply->property(kOfferedProperty).toBool()) return;
  reply->setProperty(kOfferedProperty, true);
  authenticator->setUser(user_);
  authenticator->setPassword(password_);
}

void HttpExchange::setCredentials(const QString& user, const QString& password) {
  if (user != user_ || password != password_) {
    // The HTTP layer remembers accepted credentials per server; changed ones must replace them.
    manager_->clearAccessCache();
    tlsInUse_.clear();
  }
  user_ = user;
  password_ = password;
}

void HttpExchange::forgetConnections() {
  manager_->clearAccessCache();
  manager_->clearConnectionCache();
  tlsInUse_.clear();
}

Task<HttpExchange::Outcome> HttpExchange::send(Request r, QDeadlineTimer deadline) {
  QNetworkRequest request(r.url);
  request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
  if (r.url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0) {
    QSslCertificate certificate;
    request.setSslConfiguration(ClientTlsConfiguration(tls12Only_, certStore_, &certificate));
    // Pooled connections keep the TLS settings they were opened with; a certificate imported or a
    // restriction applied since then must not wait for them to expire.
    const QByteArray tlsWanted =
        QByteArray::number(tls12Only_) + certificate.digest(QCryptographicHash::Sha256);
    if (tlsWanted != tlsInUse_) {
      manager_->clearConnectionCache();
      tlsInUse_ = tlsWanted;
    }
  }
  if (r.xmlBody) request.setRawHeader("Content-Type", "application/xml; charset=UTF-8");
  if (r.closeConnection) request.setRawHeader("Connection", "close");
  ReplyWait wait(r.xmlBody ? manager_->post(request, *r.xmlBody) : manager_->get(request), limits_, deadline);
  const CollectedReply collected = co_await wait;
  QNetworkReply* reply = wait.reply();
  Outcome outcome;
  const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  if (collected.end != ReplyEnd::Finished) {
    outcome.errorMessage = LimitMessage(collected.end, limits_);
    // A time-out is worth another attempt; an answer too large or a request out of time is not.
    outcome.retryable = collected.end == ReplyEnd::IdleTimeout;
  } else if (!status.isValid() || BreaksTheAnswer(reply->error())) {
    // A status alone does not mean the answer arrived: a body cut short comes with one too.
    outcome.errorMessage = reply->errorString();
    outcome.errorCode = reply->error();
    outcome.retryable = ClassifyNetworkError(reply->error()) != RetryableCondition::None;
  } else if (AnswerCutShort(*reply, collected.content)) {
    outcome.errorMessage = kCutShortMessage;
    outcome.retryable = true;  // the connection dropped
  } else {
    outcome.arrived = true;
    outcome.status = status.toInt();
    outcome.content = collected.content;
  }
  co_return outcome;
}
