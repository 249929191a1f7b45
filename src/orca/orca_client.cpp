#include "orca/orca_client.h"

#include <QAuthenticator>
#include <QCryptographicHash>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>
#include <exception>

#include "core/error_message.h"
#include "core/log.h"
#include "orca/answer_completeness.h"
#include "orca/blocking_wait.h"
#include "orca/dump_file.h"
#include "orca/endpoint.h"
#include "orca/transport_errors.h"

namespace {

constexpr int kAttempts = 3;
constexpr int kRetryPauseMs = 200;
const char* const kAnsweredProperty = "rinmedCredentialsOffered";

}  // namespace

OrcaClient::OrcaClient(QObject* parent) : QObject(parent), NetHTTPClient1(new QNetworkAccessManager(this)) {
  connect(NetHTTPClient1, &QNetworkAccessManager::authenticationRequired, this,
          &OrcaClient::NetHTTPClient1AuthEvent);
  connect(NetHTTPClient1, &QNetworkAccessManager::proxyAuthenticationRequired, this,
          [this](const QNetworkProxy&, QAuthenticator* authenticator) {
            authenticator->setUser(authUser_);
            authenticator->setPassword(authPass_);
          });
}

// The credentials are handed over only when the server asks. They are offered once per request:
// when the server refuses them, the request ends with the server's 401 instead of asking forever.
void OrcaClient::NetHTTPClient1AuthEvent(QNetworkReply* reply, QAuthenticator* authenticator) {
  if (reply->property(kAnsweredProperty).toBool()) return;
  reply->setProperty(kAnsweredProperty, true);
  authenticator->setUser(authUser_);
  authenticator->setPassword(authPass_);
}

void OrcaClient::log(const QString& text) {
  WrtLog(GetLogTxt(), text);
}

QString OrcaClient::ORCAPost(const QString& apiPath, const QString& body) {
  const Endpoint endpoint = ResolveEndpoint(connection_.stURL, apiPath);
  log(QStringLiteral("API: ") + apiPath + QStringLiteral(" URL: ") +
      endpoint.url);  // its failure reaches the caller
  if (endpoint.restrictTo12) tls12Only_ = true;

  apiPath_ = apiPath;
  body_ = body;
  url_ = QUrl(endpoint.url, QUrl::TolerantMode);
  const QString user = connection_.stAPIUSER.trimmed();
  const QString password = connection_.stAPIKEY.trimmed();
  if (user != authUser_ || password != authPass_) {
    // The HTTP layer remembers accepted credentials per server; changed ones must replace them.
    NetHTTPClient1->clearAccessCache();
    tlsInUse_.clear();
  }
  authUser_ = user;
  authPass_ = password;
  try {
    return attempt();
  } catch (const std::exception& e) {
    try {
      log(QStringLiteral("Unexpected Error: ") + ErrorMessage(e));
    } catch (const std::exception&) {
      // The log itself is failing; the empty result still tells the caller.
    }
    return QString();
  }
}

QString OrcaClient::attempt() {
  deadline_ = QDeadlineTimer(limits_.overallMs);
  Response response;
  for (int counter = 1;; ++counter) {
    try {
      response = DoHttpRequest(counter >= 2);
    } catch (const std::exception& e) {  // not the HTTP layer's: never retried
      log(QStringLiteral("Error: ") + ErrorMessage(e));
      return QString();
    }
    if (response.arrived) break;
    log(QStringLiteral("HTTP Error (attempt %1): %2").arg(counter).arg(response.errorMessage));
    if (!response.retryable || counter >= kAttempts) return QString();
    PauseMs(kRetryPauseMs);
  }
  log(QStringLiteral("ResponseCode=") + QString::number(response.status));
  if (response.status != 200) return QString();
  const QString path = DumpFilePath(apiPath_);
  WriteDumpFile(path, response.content);
  return path;
}

OrcaClient::Response OrcaClient::DoHttpRequest(bool isRetry) {
  QNetworkRequest request(url_);
  request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
  if (url_.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0) {
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    if (tls12Only_) tls.setProtocol(QSsl::TlsV1_2);
    QSslCertificate certificate;
    QSslKey key;
    if (certStore_.firstWithKey(&certificate, &key)) {
      tls.setLocalCertificate(certificate);  // sent only when the server asks for one
      tls.setPrivateKey(key);
    }
    request.setSslConfiguration(tls);
    // Pooled connections keep the TLS settings they were opened with; a certificate imported or a
    // restriction applied since then must not wait for them to expire.
    const QByteArray tlsWanted =
        QByteArray::number(tls12Only_) + certificate.digest(QCryptographicHash::Sha256);
    if (tlsWanted != tlsInUse_) {
      NetHTTPClient1->clearConnectionCache();
      tlsInUse_ = tlsWanted;
    }
  }

  QNetworkReply* reply = nullptr;
  if (!body_.trimmed().isEmpty()) {
    request.setRawHeader("Content-Type", "application/xml; charset=UTF-8");
    if (isRetry) request.setRawHeader("Connection", "close");
    reply = NetHTTPClient1->post(request, body_.toUtf8());
  } else {
    if (isRetry) request.setRawHeader("Connection", "close");
    reply = NetHTTPClient1->get(request);
  }

  const CollectedReply collected = CollectReply(reply, limits_, deadline_);
  Response response;
  const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  switch (collected.end) {
    case ReplyEnd::IdleTimeout:
      response.retryable = true;
      response.errorMessage = LimitMessage(collected.end, limits_);
      break;
    case ReplyEnd::TooLarge:      // the same server would send the same again
    case ReplyEnd::OverallLimit:  // the request has had its time
      response.errorMessage = LimitMessage(collected.end, limits_);
      break;
    case ReplyEnd::Finished:
      // A status alone does not mean the answer arrived: a body cut short comes with one too.
      if (!status.isValid() || BreaksTheAnswer(reply->error())) {
        response.retryable = ClassifyNetworkError(reply->error()) != RetryableCondition::None;
        response.errorMessage =
            QStringLiteral("%1 (QNetworkReply error %2)").arg(reply->errorString()).arg(reply->error());
      } else if (AnswerCutShort(*reply, collected.content)) {
        response.retryable = true;  // the connection dropped
        response.errorMessage = kCutShortMessage;
      } else {
        response.arrived = true;
        response.status = status.toInt();
        response.content = collected.content;
      }
      break;
  }
  reply->deleteLater();
  return response;
}
