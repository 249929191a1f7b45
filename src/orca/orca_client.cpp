#include "orca/orca_client.h"

#include <exception>

#include "async/run_blocking.h"
#include "async/sleep.h"
#include "core/error_message.h"
#include "core/log.h"
#include "orca/dump_file.h"
#include "orca/endpoint.h"

namespace {

constexpr int kAttempts = 3;
constexpr int kRetryPauseMs = 200;

void Log(const QString& text) {
  WrtLog(GetLogTxt(), text);
}

// The HTTP layer's message, with its error code where it gave one.
QString AttemptError(const HttpExchange::Outcome& outcome) {
  if (outcome.errorCode < 0) return outcome.errorMessage;
  return QStringLiteral("%1 (QNetworkReply error %2)").arg(outcome.errorMessage).arg(outcome.errorCode);
}

}  // namespace

OrcaClient::OrcaClient(QObject* parent) : QObject(parent), NetHTTPClient1(new HttpExchange(this)) {}

QString OrcaClient::ORCAPost(const QString& apiPath, const QString& body) {
  return RunBlocking(post(apiPath, body)).dumpPath;
}

Task<OrcaAnswer> OrcaClient::post(QString apiPath, QString body) {
  const Endpoint endpoint = ResolveEndpoint(connection_.stURL, apiPath);
  Log(QStringLiteral("API: ") + apiPath + QStringLiteral(" URL: ") +
      endpoint.url);                                              // its failure reaches the caller
  if (endpoint.restrictTo12) NetHTTPClient1->setTls12Only(true);  // for the client's life
  NetHTTPClient1->setCredentials(connection_.stAPIUSER.trimmed(), connection_.stAPIKEY.trimmed());

  HttpExchange::Request request{QUrl(endpoint.url, QUrl::TolerantMode), std::nullopt, false};
  if (!body.trimmed().isEmpty()) request.xmlBody = body.toUtf8();
  try {
    co_return co_await attempts(apiPath, request);
  } catch (const std::exception& e) {
    try {
      Log(QStringLiteral("Unexpected Error: ") + ErrorMessage(e));
    } catch (const std::exception&) {
      // The log itself is failing; the empty answer still tells the caller.
    }
  }
  co_return OrcaAnswer();
}

// On a retry the server is asked to close the connection after its answer.
Task<OrcaAnswer> OrcaClient::attempts(QString apiPath, HttpExchange::Request request) {
  const QDeadlineTimer deadline(NetHTTPClient1->limits().overallMs);
  HttpExchange::Outcome response;
  for (int counter = 1;; ++counter) {
    request.closeConnection = counter >= 2;
    try {
      response = co_await NetHTTPClient1->send(request, deadline);
    } catch (const std::exception& e) {  // not the HTTP layer's: never retried
      const QString message = ErrorMessage(e);
      Log(QStringLiteral("Error: ") + message);
      co_return OrcaAnswer{{}, {}, 0, message};
    }
    if (response.arrived) break;
    Log(QStringLiteral("HTTP Error (attempt %1): %2").arg(counter).arg(AttemptError(response)));
    if (!response.retryable || counter >= kAttempts) co_return OrcaAnswer{{}, {}, 0, AttemptError(response)};
    co_await Sleep(kRetryPauseMs);
  }
  Log(QStringLiteral("ResponseCode=") + QString::number(response.status));
  if (response.status != 200) co_return OrcaAnswer{{}, {}, response.status, {}};
  const QString path = DumpFilePath(apiPath);
  co_return OrcaAnswer{path, WriteDumpFile(path, response.content), response.status, {}};
}
