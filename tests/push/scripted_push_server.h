#pragma once

#include <QList>
#include <QNetworkRequest>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QUrl>
#include <QWebSocket>
#include <QWebSocketServer>
#include <optional>

// A WebSocket server on loopback that a test scripts, for what orca-sim never does: frames it cannot
// read, error frames, and a look at the handshake and at how the client closes. It confirms every
// subscription, as ORCA does, and answers pings.
class ScriptedPushServer {
 public:
  ScriptedPushServer();

  QUrl url() const;
  int connections() const { return static_cast<int>(handshakes_.size()); }
  const QList<QNetworkRequest>& handshakes() const { return handshakes_; }
  const QStringList& received() const { return received_; }  // text frames from every client, in order
  // The close code of the last connection that ended; nothing while none has.
  std::optional<QWebSocketProtocol::CloseCode> lastCloseCode() const { return lastCloseCode_; }
  // To the newest connection.
  void send(const QString& text);

 private:
  void welcome();

  QWebSocketServer server_;
  QList<QNetworkRequest> handshakes_;
  QStringList received_;
  QPointer<QWebSocket> newest_;
  std::optional<QWebSocketProtocol::CloseCode> lastCloseCode_;
};
