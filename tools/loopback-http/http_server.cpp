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

// Parses one complete request off the front of the buffer; false while it is incomplete.
bool TakeRequest(QByteArray& buffer, HttpRequest* request) {
  const qsizetype end = buffer.indexOf("\r\n\r\n");
  if (end < 0) return false;
  const QList<QByteArray> lines = buffer.left(end).split('\n');
  const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
  HttpRequest r;
  r.method = first.value(0);
  r.target = first.value(1);
  qsizetype length = 0;
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QByteArray line = lines[i].trimmed();
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0) continue;
    const QByteArray name = line.left(colon).trimmed();
    const QByteArray value = line.mid(colon + 1).trimmed();
    r.headers.append({name, value});
    if (name.compare("Content-Length", Qt::CaseInsensitive) == 0) length = value.toLongLong();
  }
  if (buffer.size() < end + 4 + length) return false;
  r.body = buffer.mid(end + 4, length);
  buffer.remove(0, end + 4 + length);
  *request = r;
  return true;
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
    QByteArray buffer;
    int id = 0;
    bool busy = false;
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
      connect(socket, &QObject::destroyed, this, [state] { delete state; });
      connect(socket, &QTcpSocket::readyRead, this, [this, socket, state] {
        state->buffer += socket->readAll();
        serve(socket, state);
      });
      connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      if (socket->bytesAvailable() > 0) {
        state->buffer += socket->readAll();
        serve(socket, state);
      }
    }
  }

  void serve(QTcpSocket* socket, Connection* state) {
    if (state->busy) return;
    HttpRequest request;
    if (!TakeRequest(state->buffer, &request)) return;
    request.connection = state->id;
    HttpHandler handler;
    {
      QMutexLocker lock(&shared_->mutex);
      shared_->requests.append(request);
      handler = shared_->handler;
    }
    const HttpAction action = handler(request);
    const bool close = request.header("Connection").compare("close", Qt::CaseInsensitive) == 0;
    state->busy = true;
    QPointer<QTcpSocket> guarded(socket);
    auto act = [this, guarded, state, action, close] {
      if (!guarded) return;
      state->busy = false;
      perform(guarded, action, close);
      if (guarded && guarded->state() == QAbstractSocket::ConnectedState) serve(guarded, state);
    };
    if (action.delayMs > 0) {
      QTimer::singleShot(action.delayMs, Qt::PreciseTimer, socket, act);  // a simulated latency must be exact
    } else {
      act();
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
