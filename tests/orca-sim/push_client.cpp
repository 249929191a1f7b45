#include "push_client.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QNetworkRequest>
#include <QTimer>

const QByteArray PushClient::kGoodAuthorization = "Basic " + QByteArray("ormaster:ormaster").toBase64();

template <typename Done>
void PushClient::waitUntil(Done done) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < 10000) {
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
  }
}

bool PushClient::open(const QUrl& url, const QByteArray& authorization) {
  if (!listening_) {
    QObject::connect(&socket_, &QWebSocket::textMessageReceived, [this](const QString& text) {
      const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
      frames_ << (document.isObject() ? document.object() : QJsonObject{{"unreadable", text}});
    });
    listening_ = true;
  }
  QNetworkRequest request(url);
  if (!authorization.isEmpty()) request.setRawHeader("Authorization", authorization);
  request.setRawHeader("X-GINBEE-TENANT-ID", "1");
  bool settled = false;
  const QMetaObject::Connection watch =
      QObject::connect(&socket_, &QWebSocket::stateChanged, [&settled](QAbstractSocket::SocketState state) {
        settled = state == QAbstractSocket::ConnectedState || state == QAbstractSocket::UnconnectedState;
      });
  // A refused handshake is an error while the socket still counts as connecting.
  bool refused = false;
  const QMetaObject::Connection refusal = QObject::connect(
      &socket_, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error), [&refused] { refused = true; });
  socket_.open(request);
  waitUntil([&] { return settled || refused; });
  QObject::disconnect(watch);
  QObject::disconnect(refusal);
  if (refused) socket_.abort();
  return !refused && socket_.state() == QAbstractSocket::ConnectedState;
}

void PushClient::send(const QString& text) {
  socket_.sendTextMessage(text);
}

void PushClient::subscribe(const QString& event, const QString& requestId) {
  send(QString::fromUtf8(
      QJsonDocument(QJsonObject{{"command", "subscribe"}, {"req.id", requestId}, {"event", event}})
          .toJson(QJsonDocument::Compact)));
}

QList<QJsonObject> PushClient::frames(int count) {
  waitUntil([this, count] { return frames_.size() >= count; });
  return frames_;
}

bool PushClient::pingAnswered() {
  bool answered = false;
  const QMetaObject::Connection watch =
      QObject::connect(&socket_, &QWebSocket::pong, [&answered] { answered = true; });
  socket_.ping("are you there");
  waitUntil([&answered] { return answered; });
  QObject::disconnect(watch);
  return answered;
}

QString Summary(const QJsonObject& frame) {
  const QString command = frame.value("command").toString();
  if (command != "event") return command;
  const QJsonObject data = frame.value("data").toObject();
  return command + " " + data.value("event").toString() + " " +
         data.value("body").toObject().value("Patient_ID").toString();
}
