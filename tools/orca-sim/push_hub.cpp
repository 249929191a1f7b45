#include "push_hub.h"

#include <QJsonDocument>
#include <QTcpSocket>
#include <QWebSocket>
#include <QWebSocketServer>

namespace {

void Send(QWebSocket* client, const QJsonObject& frame) {
  client->sendTextMessage(QString::fromUtf8(QJsonDocument(frame).toJson(QJsonDocument::Compact)));
}

QJsonObject Error(const QJsonValue& requestId, const QString& message) {
  QJsonObject frame{{QStringLiteral("command"), QStringLiteral("error")},
                    {QStringLiteral("message"), message}};
  if (!requestId.isUndefined()) frame.insert(QStringLiteral("req.id"), requestId);
  return frame;
}

}  // namespace

// The HTTP server has already decrypted a TLS connection, so the handshake is read in plain mode whatever
// the scheme.
PushHub::PushHub(QObject* parent)
    : QObject(parent),
      server_(new QWebSocketServer(QStringLiteral("orca-sim"), QWebSocketServer::NonSecureMode, this)) {
  connect(server_, &QWebSocketServer::newConnection, this, &PushHub::welcome);
}

// The connections go when the hub goes, whichever of it and the HTTP server's listener goes first.
PushHub::~PushHub() {
  for (QWebSocket* client : subscriptions_.keys()) {
    client->disconnect(this);  // its last signals find no hub half gone
    delete client;             // while its socket is still there
  }
}

void PushHub::adopt(QTcpSocket* socket) {
  socket->setParent(this);
  server_->handleConnection(socket);
}

void PushHub::welcome() {
  while (QWebSocket* client = server_->nextPendingConnection()) {
    subscriptions_.insert(client, {});
    connect(client, &QWebSocket::textMessageReceived, this,
            [this, client](const QString& text) { receive(client, text); });
    connect(client, &QWebSocket::binaryMessageReceived, this,
            [client] { Send(client, Error({}, QStringLiteral("frames are JSON text"))); });
    connect(client, &QWebSocket::disconnected, this, [this, client] {
      subscriptions_.remove(client);  // closing the connection ends its subscriptions
      client->deleteLater();
    });
  }
}

void PushHub::receive(QWebSocket* client, const QString& text) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
  if (error.error != QJsonParseError::NoError || !document.isObject()) {
    Send(client, Error({}, QStringLiteral("not a JSON object")));
    return;
  }
  const QJsonObject frame = document.object();
  const QJsonValue requestId = frame.value(QStringLiteral("req.id"));
  if (frame.value(QStringLiteral("command")).toString() != QLatin1String("subscribe")) {
    Send(client, Error(requestId, QStringLiteral("unknown command")));
    return;
  }
  const QString event = frame.value(QStringLiteral("event")).toString();
  if (event.isEmpty()) {
    Send(client, Error(requestId, QStringLiteral("subscribe needs an event")));
    return;
  }
  subscriptions_[client] << event;
  QJsonObject answer{{QStringLiteral("command"), QStringLiteral("subscribed")},
                     {QStringLiteral("sub.id"), QStringLiteral("s-%1").arg(++lastSubscription_)}};
  if (!requestId.isUndefined()) answer.insert(QStringLiteral("req.id"), requestId);
  Send(client, answer);
}

void PushHub::publish(const QJsonObject& data) {
  const QString event = data.value(QStringLiteral("event")).toString();
  const QJsonObject frame{{QStringLiteral("command"), QStringLiteral("event")},
                          {QStringLiteral("data"), data}};
  for (auto it = subscriptions_.cbegin(); it != subscriptions_.cend(); ++it) {
    if (it.value().contains(event) || it.value().contains(QStringLiteral("*"))) Send(it.key(), frame);
  }
}
