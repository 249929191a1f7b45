#pragma once

#include <QTcpServer>
#include <QUrl>

// A server that completes the WebSocket handshake and then falls silent: no pong ever, and, unless told
// to confirm, no answer to a subscription either. What a link through a dead router looks like.
class SilentPushServer {
 public:
  explicit SilentPushServer(bool confirmSubscriptions);

  QUrl url() const;
  int connections() const { return connections_; }

 private:
  void answer(QTcpSocket* socket);

  QTcpServer server_;
  bool confirm_;
  int connections_ = 0;
};
