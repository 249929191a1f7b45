#pragma once

#include <QHostAddress>
#include <QList>
#include <QSslCertificate>
#include <QSslKey>
#include <functional>
#include <memory>
#include <optional>

#include "http_message.h"

using HttpHandler = std::function<HttpAction(const HttpRequest&)>;

struct TlsSettings {
  QSslCertificate certificate;
  QSslKey key;
  QSsl::SslProtocol protocol = QSsl::SecureProtocols;   // e.g. QSsl::TlsV1_3OrLater to refuse TLS 1.2
  QList<QSslCertificate> clientCertificateAuthorities;  // non-empty: a client certificate is required
};

// An HTTP/1.1 server with keep-alive that runs on a thread of its own, so that a client blocking
// on the calling thread is served like by a real server. The handler runs on the server's thread.
class HttpServer {
 public:
  explicit HttpServer(HttpHandler handler);
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  bool listen(const QHostAddress& address = QHostAddress::LocalHost, quint16 port = 0,
              const std::optional<TlsSettings>& tls = std::nullopt);
  quint16 port() const;
  // Runs `work` on the server's thread and waits for it. `owner` lives on that thread as long as the
  // server: a parent for objects that must live beside the connections (a WebSocket server, timers).
  void runOnServerThread(const std::function<void(QObject* owner)>& work);
  QString errorString() const;

  int connectionsOpened() const;        // TCP connections accepted so far
  qint64 bytesStreamed() const;         // written by endless answers so far
  QList<HttpRequest> requests() const;  // every request received, in order
  void clearRecord();

 private:
  class Worker;
  struct Shared;
  std::shared_ptr<Shared> shared_;
  std::unique_ptr<class QThread> thread_;
  Worker* worker_ = nullptr;  // lives on thread_
};
