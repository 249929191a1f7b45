#include "silent_push_server.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QTcpSocket>

namespace {

// An unmasked text frame of a server, short enough for the one-byte length.
QByteArray TextFrame(const QByteArray& text) {
  return QByteArray("\x81") + char(text.size()) + text;
}

}  // namespace

SilentPushServer::SilentPushServer(bool confirmSubscriptions) : confirm_(confirmSubscriptions) {
  server_.listen(QHostAddress::LocalHost, 0);
  QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
      ++connections_;
      socket->setParent(&server_);
      QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
    }
  });
}

QUrl SilentPushServer::url() const {
  return QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(server_.serverPort()));
}

// The handshake is answered once it is whole; whatever the client sends after it is left unread.
void SilentPushServer::answer(QTcpSocket* socket) {
  if (socket->property("upgraded").toBool()) {
    socket->readAll();
    return;
  }
  const QByteArray request = socket->peek(socket->bytesAvailable());
  if (!request.contains("\r\n\r\n")) return;
  socket->read(request.indexOf("\r\n\r\n") + 4);
  static const QRegularExpression keyLine("Sec-WebSocket-Key: *([^\\r]+)\\r\\n",
                                          QRegularExpression::CaseInsensitiveOption);
  const QByteArray key = keyLine.match(QString::fromLatin1(request)).captured(1).toLatin1();
  const QByteArray accept =
      QCryptographicHash::hash(key + "258EAFA5-E914-47DA-95CA-C5AB0DC85B11", QCryptographicHash::Sha1)
          .toBase64();
  socket->write(
      "HTTP/1.1 101 Switching Protocols\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
      "Sec-WebSocket-Accept: " +
      accept + "\r\n\r\n");
  if (confirm_) {
    socket->write(TextFrame(R"({"command":"subscribed","sub.id":"s-1"})"));
    socket->write(TextFrame(R"({"command":"subscribed","sub.id":"s-2"})"));
  }
  socket->setProperty("upgraded", true);
  socket->readAll();
}
