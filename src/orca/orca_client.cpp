#include "orca/orca_client.h"

#include <exception>

#include "core/error_message.h"
#include "core/log.h"
#include "orca/blocking_wait.h"
#include "orca/dump_file.h"
#include "orca/endpoint.h"

namespace {

constexpr int kAttempts = 3;
constexpr int kRetryPauseMs = 200;

}  // namespace

OrcaClient::OrcaClient(QObject* parent) : QObject(parent), NetHTTPClient1(new HttpExchange(this)) {}

void OrcaClient::log(const QString& text) {
  WrtLog(GetLogTxt(), text);
}

QString OrcaClient::ORCAPost(const QString& apiPath, const QString& body) {
  const Endpoint endpoint = ResolveEndpoint(connection_.stURL, apiPath);
  log(QStringLiteral("API: ") + apiPath + QStringLiteral(" URL: ") +
      endpoint.url);                                              // its failure reaches the caller
  if (endpoint.restrictTo12) NetHTTPClient1->setTls12Only(true);  // for the client's life

  apiPath_ = apiPath;
  body_ = body;
  url_ = QUrl(endpoint.url, QUrl::TolerantMode);
  NetHTTPClient1->setCredentials(connection_.stAPIUSER.trimmed(), connection_.stAPIKEY.trimmed());
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
  const QDeadlineTimer deadline(NetHTTPClient1->limits().overallMs);
  HttpExchange::Outcome response;
  for (int counter = 1;; ++counter) {
    try {
      response = DoHttpRequest(counter >= 2, deadline);
    } catch (const std::exception& e) {  // not the HTTP layer's: never retried
      log(QStringLiteral("Error: ") + ErrorMessage(e));
      return QString();
    }
    if (response.arrived) break;
    const QString message = response.errorCode < 0 ? response.errorMessage
                                                   : QStringLiteral("%1 (QNetworkReply error %2)")
                                                         .arg(response.errorMessage)
                                                         .arg(response.errorCode);
    log(QStringLiteral("HTTP Error (attempt %1): %2").arg(counter).arg(message));
    if (!response.retryable || counter >= kAttempts) return QString();
    PauseMs(kRetryPauseMs);
  }
  log(QStringLiteral("ResponseCode=") + QString::number(response.status));
  if (response.status != 200) return QString();
  const QString path = DumpFilePath(apiPath_);
  WriteDumpFile(path, response.content);
  return path;
}

// On a retry the server is asked to close the connection after its answer.
HttpExchange::Outcome OrcaClient::DoHttpRequest(bool isRetry, const QDeadlineTimer& deadline) {
  HttpExchange::Request request{url_, std::nullopt, isRetry};
  if (!body_.trimmed().isEmpty()) request.xmlBody = body_.toUtf8();
  return NetHTTPClient1->send(request, deadline);
}
