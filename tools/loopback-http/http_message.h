#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <functional>

class QTcpSocket;

using HttpHeaders = QList<QPair<QByteArray, QByteArray>>;

struct HttpRequest {
  QByteArray method;
  QByteArray target;  // path and query as sent
  HttpHeaders headers;
  QByteArray body;
  int connection = 0;  // 1 for the first connection the server accepted, 2 for the next …

  QByteArray path() const;
  QByteArray query() const;
  QByteArray header(const QByteArray& name) const;  // first header of that name, any case; "" if none
  // The user and password of a Basic Authorization header; false when there is none.
  bool basicCredentials(QString* user, QString* password) const;
};

// What the server does with one request.
struct HttpAction {
  enum Kind { Respond, CloseWithoutAnswer, SendRaw, StreamEndlessly, HandOverConnection };
  Kind kind = Respond;
  int status = 200;
  HttpHeaders headers;  // besides Content-Length and Connection, which the server writes
  QByteArray body;
  QByteArray raw;      // SendRaw: these bytes, then the connection closes
  int delayMs = 0;     // wait this long before acting
  int intervalMs = 0;  // StreamEndlessly: the pause between two pieces of `body`
  std::function<void(QTcpSocket*)>
      takeOver;  // HandOverConnection: gets the connection, the request still unread

  static HttpAction Ok(const QByteArray& body, const QByteArray& contentType = "application/xml");
  static HttpAction Status(int status, const QByteArray& body = {});
  static HttpAction BasicChallenge(const QByteArray& realm = "orca");
  static HttpAction Close();
  static HttpAction Raw(const QByteArray& bytes);
  // Status 200 with a chunked body that never ends: `piece` again and again, `intervalMs` apart
  // (as fast as the client reads when 0), until the client goes away.
  static HttpAction Endless(const QByteArray& piece, int intervalMs = 0);
  // The connection leaves the server, its request's bytes unread, so that another protocol (a WebSocket
  // server's handshake) can read them. Only for a request with an Upgrade header and no body; any other
  // is answered 400 instead.
  static HttpAction HandOver(std::function<void(QTcpSocket*)> takeOver);
  HttpAction after(int ms) const;
};

QByteArray ReasonPhrase(int status);
