#pragma once

#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QStringList>

class QTcpSocket;
class QWebSocket;
class QWebSocketServer;

// orca-sim's push endpoint, WebSocket connections on the API's own port: the HTTP server checks a
// handshake's credentials and hands its connection over; here the handshake completes, clients subscribe
// to events, and events go out to every connection subscribed to them. Lives on the HTTP server's thread,
// where its connections are.
class PushHub : public QObject {
 public:
  explicit PushHub(QObject* parent);
  ~PushHub() override;

  // A connection whose handshake request is still unread.
  void adopt(QTcpSocket* socket);
  // `data` holds the event's name under "event"; it goes to each connection subscribed to that name or
  // to "*", once.
  void publish(const QJsonObject& data);

 private:
  void welcome();
  void receive(QWebSocket* client, const QString& text);

  QWebSocketServer* server_;
  QHash<QWebSocket*, QStringList> subscriptions_;  // every open connection, with the events it wants
  int lastSubscription_ = 0;
};
