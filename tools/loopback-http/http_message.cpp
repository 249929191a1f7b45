#include "http_message.h"

QByteArray HttpRequest::path() const {
  const qsizetype q = target.indexOf('?');
  return q < 0 ? target : target.left(q);
}

QByteArray HttpRequest::query() const {
  const qsizetype q = target.indexOf('?');
  return q < 0 ? QByteArray() : target.mid(q + 1);
}

QByteArray HttpRequest::header(const QByteArray& name) const {
  for (const auto& [key, value] : headers) {
    if (key.compare(name, Qt::CaseInsensitive) == 0) return value;
  }
  return {};
}

bool HttpRequest::basicCredentials(QString* user, QString* password) const {
  const QByteArray value = header("Authorization").trimmed();
  if (!value.toLower().startsWith("basic ")) return false;
  const QByteArray decoded = QByteArray::fromBase64(value.mid(6).trimmed());
  const qsizetype colon = decoded.indexOf(':');
  if (colon < 0) return false;
  *user = QString::fromUtf8(decoded.left(colon));
  *password = QString::fromUtf8(decoded.mid(colon + 1));
  return true;
}

HttpAction HttpAction::Ok(const QByteArray& body, const QByteArray& contentType) {
  HttpAction a;
  a.body = body;
  if (!contentType.isEmpty()) a.headers.append({"Content-Type", contentType});
  return a;
}

HttpAction HttpAction::Status(int status, const QByteArray& body) {
  HttpAction a;
  a.status = status;
  a.body = body;
  return a;
}

HttpAction HttpAction::BasicChallenge(const QByteArray& realm) {
  HttpAction a = Status(401);
  a.headers.append({"WWW-Authenticate", "Basic realm=\"" + realm + "\""});
  return a;
}

HttpAction HttpAction::Close() {
  HttpAction a;
  a.kind = CloseWithoutAnswer;
  return a;
}

HttpAction HttpAction::Raw(const QByteArray& bytes) {
  HttpAction a;
  a.kind = SendRaw;
  a.raw = bytes;
  return a;
}

HttpAction HttpAction::Endless(const QByteArray& piece, int intervalMs) {
  HttpAction a;
  a.kind = StreamEndlessly;
  a.body = piece;
  a.intervalMs = intervalMs;
  return a;
}

HttpAction HttpAction::HandOver(std::function<void(QTcpSocket*)> takeOver) {
  HttpAction a;
  a.kind = HandOverConnection;
  a.takeOver = std::move(takeOver);
  return a;
}

HttpAction HttpAction::after(int ms) const {
  HttpAction a = *this;
  a.delayMs = ms;
  return a;
}

QByteArray ReasonPhrase(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 400:
      return "Bad Request";
    case 401:
      return "Unauthorized";
    case 403:
      return "Forbidden";
    case 404:
      return "Not Found";
    case 500:
      return "Internal Server Error";
    case 503:
      return "Service Unavailable";
    default:
      return "Status";
  }
}
