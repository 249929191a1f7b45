#include "settings/login_client.h"

#include <QAuthenticator>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>

#include "orca/answer_completeness.h"
#include "orca/blocking_wait.h"
#include "orca/transport_errors.h"

namespace {

const char* const kAnsweredProperty = "rinmedCredentialsOffered";

}  // namespace

LoginClient::LoginClient(QObject* parent) : QObject(parent), NetHTTPClient1(new QNetworkAccessManager(this)) {
  connect(NetHTTPClient1, &QNetworkAccessManager::authenticationRequired, this,
          &LoginClient::NetHTTPClient1AuthEvent);
}

void LoginClient::setCredentials(const QString& user, const QString& password) {
  authUser_ = user;
  authPass_ = password;
}

// Offered once per request: credentials the server refuses end the test with its 401 instead of
// a loop of challenges.
void LoginClient::NetHTTPClient1AuthEvent(QNetworkReply* reply, QAuthenticator* authenticator) {
  if (reply->property(kAnsweredProperty).toBool()) return;
  reply->setProperty(kAnsweredProperty, true);
  authenticator->setUser(authUser_);
  authenticator->setPassword(authPass_);
}

// The configuration carries the certificate on every request; TLS sends it only when the server
// asks for one.
void LoginClient::NetHTTPClient1NeedClientCertificate(QSslConfiguration* tls) const {
  QSslCertificate certificate;
  QSslKey key;
  if (!certStore_.firstWithKey(&certificate, &key)) return;
  tls->setLocalCertificate(certificate);
  tls->setPrivateKey(key);
}

LoginClient::Outcome LoginClient::get(const QUrl& url) {
  // Every test is a fresh start: values typed since the last one must not meet remembered
  // credentials or a connection opened with other TLS settings.
  NetHTTPClient1->clearAccessCache();
  NetHTTPClient1->clearConnectionCache();

  QNetworkRequest request(url);
  request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
  QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
  if (tls12Only_) tls.setProtocol(QSsl::TlsV1_2);
  NetHTTPClient1NeedClientCertificate(&tls);
  request.setSslConfiguration(tls);

  QNetworkReply* reply = NetHTTPClient1->get(request);
  const CollectedReply collected = CollectReply(reply, limits_, QDeadlineTimer(limits_.overallMs));
  Outcome outcome;
  const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  if (collected.end != ReplyEnd::Finished) {
    outcome.errorMessage = LimitMessage(collected.end, limits_);
  } else if (status.isValid() && !BreaksTheAnswer(reply->error()) &&
             !AnswerCutShort(*reply, collected.content)) {  // a body cut short is no answer
    outcome.arrived = true;
    outcome.status = status.toInt();
    outcome.body = collected.content;
  } else if (reply->error() != QNetworkReply::NoError) {
    outcome.errorMessage = reply->errorString();
  } else {
    outcome.errorMessage = kCutShortMessage;
  }
  reply->deleteLater();
  return outcome;
}
