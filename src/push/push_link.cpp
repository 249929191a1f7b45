#include "push/push_link.h"

#include <QNetworkRequest>
#include <QTimer>
#include <QWebSocket>
#include <exception>

#include "core/log.h"
#include "orca/client_tls.h"
#include "push/link_failure.h"

namespace {

const QString kAcceptRequest = QStringLiteral("rinmed-accept");
const QString kAccountRequest = QStringLiteral("rinmed-account");

bool Usable(const QUrl& url) {
  const QString scheme = url.scheme().toLower();
  return url.isValid() && !url.host().isEmpty() &&
         (scheme == QLatin1String("ws") || scheme == QLatin1String("wss"));
}

}  // namespace

PushLink::PushLink(QObject* parent)
    : QObject(parent),
      delay_(timings_.firstRetryMs, timings_.maxRetryMs),
      ping_(new QTimer(this)),
      silence_(new QTimer(this)),
      retry_(new QTimer(this)) {
  silence_->setSingleShot(true);
  retry_->setSingleShot(true);
  connect(ping_, &QTimer::timeout, this, [this] {
    if (socket_) socket_->ping();
  });
  connect(silence_, &QTimer::timeout, this, [this] {
    const int seconds = (timings_.silenceMs + 999) / 1000;
    fail(status_.state == PushState::Connected
             ? QStringLiteral("ORCA から %1 秒間応答がありません").arg(seconds)
             : QStringLiteral("ORCA が %1 秒以内に購読を受け付けませんでした").arg(seconds));
  });
  connect(retry_, &QTimer::timeout, this, &PushLink::connectNow);
}

PushLink::~PushLink() {
  if (socket_) socket_->disconnect(this);
}

void PushLink::setTimings(const PushTimings& timings) {
  timings_ = timings;
  delay_ = ReconnectDelay(timings.firstRetryMs, timings.maxRetryMs);
  ping_->setInterval(timings.pingMs);
}

void PushLink::start(const PushTarget& target) {
  closeSocket(true);
  retry_->stop();
  target_ = target;
  delay_.reset();
  if (!target.enabled) {
    setStatus(PushState::Off, QStringLiteral("自動更新はオフです（user.ini の PUSH=0）"));
  } else if (!Usable(target.url)) {
    setStatus(PushState::Off,
              QStringLiteral("ORCA の通知の接続先がありません（接続設定または PUSHURL を確認してください）"));
  } else {
    connectNow();
    return;
  }
  log(QStringLiteral("Push: オフ: ") + status_.reason);
}

void PushLink::stop() {
  const bool wasOff = status_.state == PushState::Off;
  closeSocket(true);
  retry_->stop();
  setStatus(PushState::Off, QStringLiteral("ORCA の通知を受けていません（終了しました）"));
  if (!wasOff) log(QStringLiteral("Push: 終了しました"));
}

void PushLink::connectNow() {
  closeSocket(false);
  sslErrors_.clear();
  socket_ = new QWebSocket(QString(), QWebSocketProtocol::VersionLatest, this);
  connect(socket_, &QWebSocket::connected, this, &PushLink::opened);
  connect(socket_, &QWebSocket::textMessageReceived, this, &PushLink::received);
  connect(socket_, &QWebSocket::pong, this, [this] {
    if (status_.state == PushState::Connected) silence_->start(timings_.silenceMs);
  });
  connect(socket_, &QWebSocket::sslErrors, this, [this](const QList<QSslError>& errors) {
    for (const QSslError& e : errors) sslErrors_ << e.errorString();  // and never ignored
  });
  // A refused handshake is reported as an error while the socket may stay connecting: fail() aborts it.
  const auto failed = [this](QAbstractSocket::SocketError error) {
    fail(SocketFailureReason(error, socket_->errorString(), sslErrors_));
  };
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
  connect(socket_, &QWebSocket::errorOccurred, this, failed);
#else
  connect(socket_, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error), this, failed);
#endif
  // The socket may report its end before its error.
  connect(socket_, &QWebSocket::disconnected, this, [this] {
    if (socket_->error() != QAbstractSocket::UnknownSocketError) {
      fail(SocketFailureReason(socket_->error(), socket_->errorString(), sslErrors_));
      return;
    }
    QString reason = QStringLiteral("ORCA が接続を閉じました");
    if (!socket_->closeReason().isEmpty()) reason += QStringLiteral("（%1）").arg(socket_->closeReason());
    fail(reason);
  });

  const QUrl url = target_.url.adjusted(QUrl::RemoveUserInfo);
  QNetworkRequest request(url);
  request.setRawHeader("Authorization",
                       "Basic " + (target_.user + QLatin1Char(':') + target_.key).toUtf8().toBase64());
  request.setRawHeader("X-GINBEE-TENANT-ID", "1");
  if (url.scheme().compare(QLatin1String("wss"), Qt::CaseInsensitive) == 0) {
    socket_->setSslConfiguration(ClientTlsConfiguration(target_.tls12Only, certStore_));
  }
  const QString reason = status_.state == PushState::Waiting
                             ? status_.reason + QStringLiteral("。再接続しています")
                             : QStringLiteral("ORCA の通知に接続しています");
  setStatus(PushState::Connecting, reason);
  silence_->start(timings_.silenceMs);  // the handshake and the subscriptions must not hang
  socket_->open(request);
}

void PushLink::opened() {
  ping_->start(timings_.pingMs);
  unconfirmed_ = {kAcceptRequest, kAccountRequest};
  socket_->sendTextMessage(SubscribeFrame(kPatientAcceptEvent, kAcceptRequest));
  socket_->sendTextMessage(SubscribeFrame(kPatientAccountEvent, kAccountRequest));
}

void PushLink::received(const QString& text) {
  const PushFrame frame = ReadPushFrame(text);
  switch (frame.kind) {
    case PushFrame::Kind::Subscribed:
      subscribed(frame.requestId);
      break;
    case PushFrame::Kind::Event:
      if (frame.event.name == kPatientAcceptEvent || frame.event.name == kPatientAccountEvent) {
        emit eventArrived(frame.event);
      }
      break;
    case PushFrame::Kind::Error:
      // ORCA's own clients start afresh after an error.
      fail(QStringLiteral("ORCA がエラーを返しました（%1）").arg(frame.message));
      break;
    case PushFrame::Kind::Unreadable:
    case PushFrame::Kind::Other:
      break;  // nothing the list depends on
  }
}

void PushLink::subscribed(const QString& requestId) {
  if (!unconfirmed_.removeOne(requestId) && !unconfirmed_.isEmpty()) unconfirmed_.removeFirst();
  if (!unconfirmed_.isEmpty() || status_.state != PushState::Connecting) return;
  delay_.reset();
  silence_->start(timings_.silenceMs);
  setStatus(PushState::Connected, QString());
  log(QStringLiteral("Push: 接続しました ") + target_.url.toDisplayString(QUrl::RemoveUserInfo));
  emit reloadWanted();
}

// The end of an attempt or of a connection: called once, whichever of the socket's signals and the
// timers comes first.
void PushLink::fail(const QString& reason) {
  const PushState was = status_.state;
  if (was != PushState::Connecting && was != PushState::Connected) return;
  closeSocket(false);  // broken, refused or given up: no goodbye to wait for
  const int pause = delay_.next();
  setStatus(PushState::Waiting, reason, pause);
  log(QStringLiteral("Push: %1 %2: %3（%4に再接続）")
          .arg(was == PushState::Connected ? QStringLiteral("切断されました")
                                           : QStringLiteral("接続できません"),
               target_.url.toDisplayString(QUrl::RemoveUserInfo), reason, RetryText(pause)));
  retry_->start(pause);
}

// Politely, an open socket says goodbye to the server and goes once the server answered; otherwise, or
// when it never opened, it goes at once.
void PushLink::closeSocket(bool polite) {
  ping_->stop();
  silence_->stop();
  unconfirmed_.clear();
  if (!socket_) return;
  QWebSocket* socket = socket_;
  socket_ = nullptr;
  socket->disconnect(this);
  if (polite && socket->state() == QAbstractSocket::ConnectedState) {
    closing_ = socket;
    connect(socket, &QWebSocket::disconnected, socket, &QObject::deleteLater);
    socket->close();
  } else {
    socket->abort();
    socket->deleteLater();
  }
}

void PushLink::setStatus(PushState state, const QString& reason, int retryInMs) {
  status_ = {state, reason, retryInMs};
  emit statusChanged(status_);
}

// Never the key: the log is read by whoever looks after the computer.
void PushLink::log(const QString& text) const {
  QString line = text;
  if (!target_.key.isEmpty()) line.replace(target_.key, QStringLiteral("****"));
  try {
    WrtLog(GetLogTxt(), line);
  } catch (const std::exception&) {
    // A log that cannot be written must not stop the link; the indicator still tells.
  }
}
