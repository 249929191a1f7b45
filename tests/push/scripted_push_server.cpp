#include "scripted_push_server.h"

#include <QJsonDocument>
#include <QJsonObject>

ScriptedPushServer::ScriptedPushServer()
    : server_(QStringLiteral("scripted"), QWebSocketServer::NonSecureMode) {
  server_.listen(QHostAddress::LocalHost, 0);
  QObject::connect(&server_, &QWebSocketServer::newConnection, &server_, [this] { welcome(); });
}

QUrl ScriptedPushServer::url() const {
  return QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(server_.serverPort()));
}

void ScriptedPushServer::send(const QString& text) {
  if (newest_) newest_->sendTextMessage(text);
}

void ScriptedPushServer::welcome() {
  while (QWebSocket* client = server_.nextPendingConnection()) {
    client->setParent(&server_);
    handshakes_ << client->request();
    newest_ = client;
    QObject::connect(client, &QWebSocket::textMessageReceived, client, [this, client](const QString& text) {
      received_ << text;
      const QJsonObject frame = QJsonDocument::fromJson(text.toUtf8()).object();
      if (frame.value("command") == "subscribe") {
        client->sendTextMessage(QString::fromUtf8(
            QJsonDocument(
                QJsonObject{{"command", "subscribed"}, {"req.id", frame.value("req.id")}, {"sub.id", "s"}})
                .toJson(QJsonDocument::Compact)));
      }
    });
    QObject::connect(client, &QWebSocket::disconnected, client, [this, client] {
      lastCloseCode_ = client->closeCode();
      client->deleteLater();
    });
  }
}
