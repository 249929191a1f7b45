#include "orca/http_exchange.h"

#include <QCryptographicHash>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "orca/answer_completeness.h"
#include "orca/client_tls.h"
#include "orca/transport_errors.h"

namespace {

const char* const kRefusedRedirectProperty = "rinmedRefusedRedirect";

// The credentials go with the request to the configured server and to nowhere else: a redirect is
// followed to that host only, and never from https to plain http.
bool SameServer(const QUrl& from, const QUrl& to) {
  if (from.host().compare(to.host(), Qt::CaseInsensitive) != 0) return false;
  const bool fromSecure = from.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
  const bool toSecure = to.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
  return toSecure || !fromSecure;
}

void GuardRedirects(QNetworkReply* reply) {
  const QUrl origin = reply->request().url();
  QObject::connect(reply, &QNetworkReply::redirected, reply, [reply, origin](const QUrl& target) {
    if (SameServer(origin, target)) {
      emit reply->redirectAllowed();
      return;
    }
    reply->setProperty(kRefusedRedirectProperty, target.toDisplayString(QUrl::RemoveUserInfo));
    QMetaObject::invokeMethod(reply, &QNetworkReply::abort, Qt::QueuedConnection);
  });
}

}  // namespace

// No credentials are handed over when a server or a proxy asks: they went with the request, and a
// challenge means the server refused them (the request ends with its 401). A proxy asking for
// credentials of its own is not given ORCA's.
HttpExchange::HttpExchange(QObject* parent) : QObject(parent), manager_(new QNetworkAccessManager(this)) {}

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
  // Sent with every request rather than after a challenge: a round trip saved on each new
  // connection, and a server that answers 401 without asking still gets them.
  if (!user_.isEmpty() || !password_.isEmpty())
    request.setRawHeader("Authorization",
                         "Basic " + (user_ + QLatin1Char(':') + password_).toUtf8().toBase64());
  if (r.xmlBody) request.setRawHeader("Content-Type", "application/xml; charset=UTF-8");
  if (r.closeConnection) request.setRawHeader("Connection", "close");
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
  QNetworkReply* sent = r.xmlBody ? manager_->post(request, *r.xmlBody) : manager_->get(request);
  GuardRedirects(sent);
  ReplyWait wait(sent, limits_, deadline);
  const CollectedReply collected = co_await wait;
  QNetworkReply* reply = wait.reply();
  Outcome outcome;
  const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  const QVariant refusedRedirect = reply->property(kRefusedRedirectProperty);
  if (refusedRedirect.isValid()) {
    outcome.errorMessage =
        QStringLiteral("Redirect to another server refused: ") + refusedRedirect.toString();
  } else if (collected.end != ReplyEnd::Finished) {
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
