#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

#include "async/limiter.h"
#include "async/task.h"
#include "core/log.h"
#include "orca/cert_store.h"
#include "orca/connection.h"
#include "orca/http_exchange.h"
#include "orca/response_reader.h"

// What a request to ORCA brought back: a status-200 answer, stored in its API path's dump file,
// or nothing.
struct OrcaAnswer {
  QString dumpPath;    // "" when no status-200 answer was stored
  QByteArray content;  // the stored bytes: a byte-order mark, then the answer as UTF-8
  // Why not ok(), for a caller that must say so: the status of an answer other than 200, or the
  // transport's message when no answer came (0 and "" for a failure before sending).
  int status = 0;
  QString error;
  bool ok() const { return !dumpPath.isEmpty(); }
  QStringList lines() const { return ResponseLines(content); }
};

// The one way the program talks to ORCA. A request is a POST with an XML body (a GET for a blank
// body), tried at most three times after a transport failure that may pass, with every step logged
// and a status-200 answer stored in the path's dump file. One client serves a window for its
// whole life, so requests to one server share their connections; at most `parallel` of them run at
// once, the others wait their turn in the order they were made. A request's log lines are written
// together when it ends, and a path's dump file holds the answer of the request sent last on it,
// whatever order the answers arrive in.
class OrcaClient : public QObject {
  Q_OBJECT
 public:
  explicit OrcaClient(QObject* parent = nullptr);
  // A client for work done ahead of need: its requests go through `through`'s connections, log, dump
  // files and places, as background work of its places (see Limiter): one at a time, and behind
  // every request of `through`'s own that waits. `through` must outlive it.
  explicit OrcaClient(OrcaClient& through, QObject* parent = nullptr);

  // Changed settings forget which servers were found to want the classic form of the path.
  void setConnection(const OrcaConnection& connection);
  // Whether independent requests of a road go out side by side; one at a time they keep the
  // road's own order.
  bool sideBySide() const { return connection().parallel > 1; }
  const OrcaConnection& connection() const { return through_ ? through_->connection_ : connection_; }

  // Of a client for work ahead of need: whether its requests (also those waiting now) go as background
  // work, or as the user's, when the user waits for what it prepares.
  void setBackground(bool background);
  // Requests that brought no status-200 answer so far.
  int failedRequests() const { return failed_; }
  void setTimeoutMs(int ms) {  // 60 s; tests shorten it
    ExchangeLimits limits = http_->limits();
    limits.idleTimeoutMs = ms;
    http_->setLimits(limits);
  }
  void setLimits(const ExchangeLimits& limits) { http_->setLimits(limits); }
  void setCertStore(const ClientCertStore& store) { http_->setCertStore(store); }

  // Where a request waits for a free place: a request whose answer leads to the next request of
  // its road goes ahead of the ones that end a branch, so the road's longest chain sets its time.
  enum class Turn { InLine, Ahead };

  // Waits without blocking. Only a log that cannot be opened or written is raised (FileWriteError);
  // every other failure is logged and gives an answer that is not ok(). Destroying the task aborts
  // the request.
  Task<OrcaAnswer> post(QString apiPath, QString body, Turn turn = Turn::InLine);

  // Requests sent and not yet ended (a cancelled one ends at once).
  int requestsInFlight() const { return places().inUse(); }
  // Requests asked for and still waiting for their turn: not sent yet, so not in the log either.
  int requestsWaiting() const { return places().waiting(); }

  // The credentials the requests carry: FAuthUser and FAuthPass.
  const QString& user() const { return http_->user(); }
  const QString& password() const { return http_->password(); }
  // Once applied in cloud mode, the restriction stays for the client's life.
  bool tlsRestrictedTo12() const { return http_->tls12Only(); }

  // Whether the requests to the server configured now go to ORCA's classic path ("/api01rv2/…"):
  // a server that refused WebORCA's "/api/api01rv2/…" with 400 and answered the other. Such a
  // server is an ORCA without WebORCA, whose push notifications come from its own pusher.
  bool usesClassicForm() const;

 signals:
  // A server was found to want the classic form of the path.
  void classicFormFound();
  // A request got its place and goes out now; `background`: as work ahead of need.
  void requestSent(const QString& apiPath, const QString& body, bool background);

 private:
  Task<OrcaAnswer> send(QString apiPath, QString body, Turn turn, const bool* background);
  const Limiter& places() const { return through_ ? through_->slots_ : slots_; }
  Task<HttpExchange::Outcome> attempts(HttpExchange::Request request, LogBatch& log);
  // One exchange of a request, with its own "API: " line and attempts.
  Task<HttpExchange::Outcome> exchange(QString apiPath, QString url, std::optional<QByteArray> body,
                                       LogBatch& log);
  OrcaAnswer store(const QString& apiPath, quint64 sent, const QByteArray& content);

  HttpExchange* http_;  // NetHTTPClient1
  OrcaConnection connection_;
  Limiter slots_{OrcaConnection::kDefaultParallel};
  quint64 sent_ = 0;                // requests sent so far, numbering them
  QHash<QString, quint64> stored_;  // per dump file: the number of the request it holds
  QSet<QString> classicServers_;    // the servers that want the classic form, until the settings change
  OrcaClient* through_ = nullptr;   // of a client for work ahead: the client that sends its requests
  bool background_ = true;          // of a client for work ahead: its requests wait behind the others
  int failed_ = 0;
};
