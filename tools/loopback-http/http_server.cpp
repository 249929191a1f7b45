#include "http_server.h"

#include <QMutex>
#include <QMutexLocker>
#include <QPointer>
#include <QSslConfiguration>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <algorithm>

struct HttpServer::Shared {
  HttpHandler handler;
  mutable QMutex mutex;
  QList<HttpRequest> requests;
  int connections = 0;
  qint64 bytesStreamed = 0;
  quint16 port = 0;
  QString error;
};

namespace {

// Requests with longer heads are refused rather than buffered for ever.
constexpr qint64 kHeadLimit = 1 << 20;

// Fills the request line and headers from a head without its closing blank line; gives Content-Length.
qsizetype ParseHead(const QByteArray& head, HttpRequest* r) {
  const QList<QByteArray> lines = head.split('\n');
  const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
  r->method = first.value(0);
  r->target = first.value(1);
  qsizetype length = 0;
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QByteArray line = lines[i].trimmed();
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0) continue;
    const QByteArray name = line.left(colon).trimmed();
    const QByteArray value = line.mid(colon + 1).trimmed();
    r->headers.append({name, value});
    if (name.compare("Content-Length", Qt::CaseInsensitive) == 0) length = value.toLongLong();
  }
  return length;
}

}  // namespace

class HttpServer::Worker : public QObject {
 public:
  explicit Worker(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}

  bool listen(const QHostAddress& address, quint16 port, const std::optional<TlsSettings>& tls) {
    if (tls) {
      auto* ssl = new QSslServer(this);
      QSslConfiguration conf = QSslConfiguration::defaultConfiguration();
      conf.setLocalCertificate(tls->certificate);
      conf.setPrivateKey(tls->key);
      conf.setProtocol(tls->protocol);
      if (!tls->clientCertificateAuthorities.isEmpty()) {
        conf.setCaCertificates(tls->clientCertificateAuthorities);
        conf.setPeerVerifyMode(QSslSocket::VerifyPeer);
      } else {
        conf.setPeerVerifyMode(QSslSocket::VerifyNone);
      }
      ssl->setSslConfiguration(conf);
      connect(ssl, &QSslServer::startedEncryptionHandshake, this, [this](QSslSocket*) { countConnection(); });
      connect(ssl, &QSslServer::pendingConnectionAvailable, this, [this, ssl] { acceptAll(ssl, false); });
      server_ = ssl;
    } else {
      server_ = new QTcpServer(this);
      connect(server_, &QTcpServer::pendingConnectionAvailable, this, [this] { acceptAll(server_, true); });
    }
    const bool ok = server_->listen(address, port);
    QMutexLocker lock(&shared_->mutex);
    shared_->port = server_->serverPort();
    shared_->error = ok ? QString() : server_->errorString();
    return ok;
  }

 private:
  struct Connection {
    int id = 0;
    bool busy = false;
    std::optional<HttpRequest> pending;  // head read, body still coming
    qsizetype length = 0;                // of the pending body
    QMetaObject::Connection reading, closing, dying;
  };

  void countConnection() {
    QMutexLocker lock(&shared_->mutex);
    ++shared_->connections;
  }

  void acceptAll(QTcpServer* server, bool count) {
    while (QTcpSocket* socket = server->nextPendingConnection()) {
      if (count) countConnection();
      auto* state = new Connection;
      {
        QMutexLocker lock(&shared_->mutex);
        state->id = shared_->connections;
      }
      // With the socket as its context, so that it still runs when the socket dies with the server,
      // after the worker's own connections are gone.
      state->dying = connect(socket, &QObject::destroyed, socket, [state] { delete state; });
      state->reading =
          connect(socket, &QTcpSocket::readyRead, this, [this, socket, state] { pump(socket, state); });
      state->closing = connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      if (socket->bytesAvailable() > 0) pump(socket, state);
    }
  }

  // Takes the next request off the socket, never more: the bytes after it stay in the socket, so that a
  // connection can be handed over with its handshake unread.
  void pump(QTcpSocket* socket, Connection* state) {
    if (state->busy) return;
    if (!state->pending) {
      const QByteArray data = socket->peek(std::min(socket->bytesAvailable(), kHeadLimit));
      const qsizetype end = data.indexOf("\r\n\r\n");
      if (end < 0) {
        if (data.size() >= kHeadLimit) socket->abort();
        return;
      }
      HttpRequest request;
      state->length = ParseHead(data.left(end), &request);
      request.connection = state->id;
      if (state->length == 0 && !request.header("Upgrade").isEmpty()) {
        dispatch(socket, state, request, end + 4);
        return;
      }
      socket->read(end + 4);
      state->pending = request;
    }
    HttpRequest& request = *state->pending;
    if (request.body.size() < state->length)
      request.body += socket->read(state->length - request.body.size());
    if (request.body.size() < state->length) return;
    const HttpRequest complete = std::move(request);
    state->pending.reset();
    dispatch(socket, state, complete, 0);
  }

  // `unread`: the size of the request's head when it is still in the socket (an upgrade request).
  void dispatch(QTcpSocket* socket, Connection* state, const HttpRequest& request, qsizetype unread) {
    HttpHandler handler;
    {
      QMutexLocker lock(&shared_->mutex);
      shared_->requests.append(request);
      handler = shared_->handler;
    }
    HttpAction action = handler(request);
    if (action.kind == HttpAction::HandOverConnection && unread > 0) {
      handOver(socket, state, action);
      return;
    }
    if (action.kind == HttpAction::HandOverConnection) action = HttpAction::Status(400).after(action.delayMs);
    socket->read(unread);
    const bool close = request.header("Connection").compare("close", Qt::CaseInsensitive) == 0;
    state->busy = true;
    QPointer<QTcpSocket> guarded(socket);
    auto act = [this, guarded, state, action, close] {
      if (!guarded) return;
      state->busy = false;
      perform(guarded, action, close);
      if (guarded && guarded->state() == QAbstractSocket::ConnectedState) pump(guarded, state);
    };
    if (action.delayMs > 0) {
      QTimer::singleShot(action.delayMs, Qt::PreciseTimer, socket, act);  // a simulated latency must be exact
    } else {
      act();
    }
  }

  // The socket is no longer this server's: none of its signals reach us, and its fate is the new owner's.
  void handOver(QTcpSocket* socket, Connection* state, const HttpAction& action) {
    disconnect(state->reading);
    disconnect(state->closing);
    disconnect(state->dying);
    delete state;
    QPointer<QTcpSocket> guarded(socket);
    auto give = [guarded, takeOver = action.takeOver] {
      if (!guarded) return;
      if (guarded->state() == QAbstractSocket::ConnectedState) {
        takeOver(guarded);
      } else {
        guarded->deleteLater();
      }
    };
    if (action.delayMs > 0) {
      QTimer::singleShot(action.delayMs, Qt::PreciseTimer, socket, give);
    } else {
      give();
    }
  }

  void perform(QTcpSocket* socket, const HttpAction& action, bool close) {
    switch (action.kind) {
      case HttpAction::CloseWithoutAnswer:
        socket->abort();
        return;
      case HttpAction::SendRaw:
        socket->write(action.raw);
        socket->disconnectFromHost();
        return;
      case HttpAction::StreamEndlessly:
        stream(socket, action);
        return;
      case HttpAction::Respond:
      case HttpAction::HandOverConnection:  // handed over before it gets here
        break;
    }
    QByteArray out =
        "HTTP/1.1 " + QByteArray::number(action.status) + ' ' + ReasonPhrase(action.status) + "\r\n";
    for (const auto& [name, value] : action.headers) out += name + ": " + value + "\r\n";
    out += "Content-Length: " + QByteArray::number(action.body.size()) + "\r\n";
    out += close ? "Connection: close\r\n" : "Connection: keep-alive\r\n";
    out += "\r\n" + action.body;
    socket->write(out);
    if (close) socket->disconnectFromHost();
  }

  // The connection stays busy for good: no later request on it is served.
  void stream(QTcpSocket* socket, const HttpAction& action) {
    socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/xml\r\nTransfer-Encoding: chunked\r\n\r\n");
    const QByteArray chunk = QByteArray::number(action.body.size(), 16) + "\r\n" + action.body + "\r\n";
    auto next = [this, socket, chunk] {
      // Never more than a little ahead of the client, so that the server's own memory stays small.
      if (socket->state() != QAbstractSocket::ConnectedState || socket->bytesToWrite() > (1 << 20)) return;
      socket->write(chunk);
      QMutexLocker lock(&shared_->mutex);
      shared_->bytesStreamed += chunk.size();
    };
    if (action.intervalMs > 0) {
      auto* timer = new QTimer(socket);
      connect(timer, &QTimer::timeout, socket, next);
      timer->start(action.intervalMs);
    } else {
      connect(socket, &QTcpSocket::bytesWritten, socket, next);  // as fast as the client takes it
      next();
    }
  }

  std::shared_ptr<Shared> shared_;
  QTcpServer* server_ = nullptr;
};

HttpServer::HttpServer(HttpHandler handler) : shared_(std::make_shared<Shared>()), thread_(new QThread) {
  shared_->handler = std::move(handler);
  thread_->setObjectName(QStringLiteral("loopback-http"));
  thread_->start();
  worker_ = new Worker(shared_);
  worker_->moveToThread(thread_.get());
}

HttpServer::~HttpServer() {
  QMetaObject::invokeMethod(
      worker_, [w = worker_] { delete w; }, Qt::BlockingQueuedConnection);
  thread_->quit();
  thread_->wait();
}

void HttpServer::runOnServerThread(const std::function<void(QObject*)>& work) {
  QMetaObject::invokeMethod(
      worker_, [&] { work(worker_); }, Qt::BlockingQueuedConnection);
}

bool HttpServer::listen(const QHostAddress& address, quint16 port, const std::optional<TlsSettings>& tls) {
  bool ok = false;
  QMetaObject::invokeMethod(
      worker_, [&] { ok = worker_->listen(address, port, tls); }, Qt::BlockingQueuedConnection);
  return ok;
}

quint16 HttpServer::port() const {
  QMutexLocker lock(&shared_->mutex);
  return shared_->port;
}

QString HttpServer::errorString() const {
  QMutexLocker lock(&shared_->mutex);
  return shared_->error;
}

int HttpServer::connectionsOpened() const {
  QMutexLocker lock(&shared_->mutex);
  return shared_->connections;
}

qint64 HttpServer::bytesStreamed() const {
  QMutexLocker lock(&shared_->mutex);
  return shared_->bytesStreamed;
}

QList<HttpRequest> HttpServer::requests() const {
  QMutexLocker lock(&shared_->mutex);
  return shared_->requests;
}

void HttpServer::clearRecord() {
  QMutexLocker lock(&shared_->mutex);
  shared_->requests.clear();
  shared_->connections = 0;
}
