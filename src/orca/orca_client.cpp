#include "orca/orca_client.h"

#include <exception>

#include "async/sleep.h"
#include "core/core_error.h"
#include "core/error_message.h"
#include "orca/dump_file.h"
#include "orca/endpoint.h"

namespace {

constexpr int kAttempts = 3;
constexpr int kRetryPauseMs = 200;

// The HTTP layer's message, with its error code where it gave one.
QString AttemptError(const HttpExchange::Outcome& outcome) {
  if (outcome.errorCode < 0) return outcome.errorMessage;
  return QStringLiteral("%1 (QNetworkReply error %2)").arg(outcome.errorMessage).arg(outcome.errorCode);
}

}  // namespace

OrcaClient::OrcaClient(QObject* parent) : QObject(parent), http_(new HttpExchange(this)) {}

OrcaClient::OrcaClient(OrcaClient& through, QObject* parent)
    : QObject(parent), http_(through.http_), through_(&through) {}

void OrcaClient::setBackground(bool background) {
  if (!through_ || background == background_) return;
  background_ = background;
  through_->slots_.reconsider();
}

void OrcaClient::setConnection(const OrcaConnection& connection) {
  if (!(connection == connection_)) classicServers_.clear();
  connection_ = connection;
  slots_.setPlaces(connection.parallel);
}

bool OrcaClient::usesClassicForm() const {
  const std::optional<ClassicForm> classic =
      ClassicFormOf(ResolveEndpoint(connection_.baseUrl, QStringLiteral("api01rv2/")).url);
  return classic && classicServers_.contains(classic->server);
}

Task<OrcaAnswer> OrcaClient::post(QString apiPath, QString body, Turn turn) {
  OrcaAnswer answer;
  if (through_) {
    answer = co_await through_->send(std::move(apiPath), std::move(body), turn, &background_);
  } else {
    answer = co_await send(std::move(apiPath), std::move(body), turn, nullptr);
  }
  if (!answer.ok()) ++failed_;
  co_return answer;
}

Task<OrcaAnswer> OrcaClient::send(QString apiPath, QString body, Turn turn, const bool* background) {
  LogBatch log(GetLogTxt());  // a log that cannot be written reaches the caller
  const Limiter::Permit permit = co_await slots_.acquire(turn == Turn::Ahead, background);
  const quint64 sent = ++sent_;
  emit requestSent(apiPath, body, background && *background);
  // Work cancelled while the request runs destroys this frame: the request's lines still go to
  // the log, ending with the word that says why no answer follows.
  struct CancelledUnlessEnded {
    LogBatch& log;
    bool ended = false;
    ~CancelledUnlessEnded() {
      if (ended) return;
      try {
        log.add(QStringLiteral("Cancelled"));
        log.write();
      } catch (...) {
      }
    }
  } cancelled{log};
  std::exception_ptr logRefused;
  try {
    const Endpoint endpoint = ResolveEndpoint(connection_.baseUrl, apiPath);
    if (endpoint.restrictTo12) http_->setTls12Only(true);  // for the client's life
    http_->setCredentials(connection_.apiUser.trimmed(), connection_.apiKey.trimmed());
    std::optional<QByteArray> content;
    if (!body.trimmed().isEmpty()) content = body.toUtf8();

    const std::optional<ClassicForm> classic = ClassicFormOf(endpoint.url);
    const bool knownClassic = classic && classicServers_.contains(classic->server);
    HttpExchange::Outcome response =
        co_await exchange(apiPath, knownClassic ? classic->url : endpoint.url, content, log);
    // ORCA without WebORCA refuses WebORCA's path with 400 and an empty body. The same request in
    // the classic form is a request of its own; only its success changes the outcome.
    if (classic && !knownClassic && response.arrived && response.status == 400) {
      const HttpExchange::Outcome retried = co_await exchange(apiPath, classic->url, content, log);
      if (retried.arrived && retried.status == 200) {
        response = retried;
        if (!classicServers_.contains(classic->server)) {
          classicServers_.insert(classic->server);
          log.add(QStringLiteral("Classic API form: requests to %1 go to /api01rv2/ from now on "
                                 "(/api/api01rv2/ was answered 400)")
                      .arg(classic->server));
          // Told from the event loop: whoever listens must not end this request from inside it.
          QMetaObject::invokeMethod(this, &OrcaClient::classicFormFound, Qt::QueuedConnection);
        }
      }
    }
    cancelled.ended = true;
    try {
      log.write();
    } catch (const FileWriteError&) {
      logRefused = std::current_exception();
    }
    if (!logRefused) {
      if (response.arrived && response.status == 200) co_return store(apiPath, sent, response.content);
      if (response.arrived) co_return OrcaAnswer{{}, {}, response.status, {}};
      co_return OrcaAnswer{{}, {}, 0, AttemptError(response)};
    }
  } catch (const std::exception& e) {
    cancelled.ended = true;
    try {
      log.add(QStringLiteral("Unexpected Error: ") + ErrorMessage(e));
      log.write();
    } catch (const std::exception&) {
      // The log itself is failing; the empty answer still tells the caller.
    }
  }
  // The request's first lines, the "API: " line among them, could not be written: that reaches the
  // caller, as a log that cannot be opened does (only then the request has gone out already).
  if (logRefused) std::rethrow_exception(logRefused);
  co_return OrcaAnswer();
}

Task<HttpExchange::Outcome> OrcaClient::exchange(QString apiPath, QString url, std::optional<QByteArray> body,
                                                 LogBatch& log) {
  log.add(QStringLiteral("API: ") + apiPath + QStringLiteral(" URL: ") + url);
  HttpExchange::Request request{QUrl(url, QUrl::TolerantMode), std::move(body), false};
  co_return co_await attempts(std::move(request), log);
}

// On a retry the server is asked to close the connection after its answer. What comes back is
// the last attempt's outcome; a failure of the program's own (not the HTTP layer's) is logged and
// never retried.
Task<HttpExchange::Outcome> OrcaClient::attempts(HttpExchange::Request request, LogBatch& log) {
  const QDeadlineTimer deadline(http_->limits().overallMs);
  HttpExchange::Outcome response;
  for (int counter = 1;; ++counter) {
    request.closeConnection = counter >= 2;
    try {
      response = co_await http_->send(request, deadline);
    } catch (const std::exception& e) {
      HttpExchange::Outcome failed;
      failed.errorMessage = ErrorMessage(e);
      log.add(QStringLiteral("Error: ") + failed.errorMessage);
      co_return failed;
    }
    if (response.arrived) break;
    log.add(QStringLiteral("HTTP Error (attempt %1): %2").arg(counter).arg(AttemptError(response)));
    if (!response.retryable || counter >= kAttempts) co_return response;
    co_await Sleep(kRetryPauseMs);
  }
  log.add(QStringLiteral("ResponseCode=") + QString::number(response.status));
  co_return response;
}

// An answer that arrives after the answer of a request sent later on the same path leaves the
// file to that one, as if the requests had gone one after another.
OrcaAnswer OrcaClient::store(const QString& apiPath, quint64 sent, const QByteArray& content) {
  const QString path = DumpFilePath(apiPath);
  quint64& holding = stored_[path];
  if (sent < holding) return OrcaAnswer{path, DumpBytes(content), 200, {}};
  OrcaAnswer answer{path, WriteDumpFile(path, content), 200, {}};
  holding = sent;
  return answer;
}
