#include "orca/reply_wait.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <cstring>

namespace {

constexpr qint64 kReadBufferBytes = 256 * 1024;

// Without a bound Qt's HTTP thread reads the network as fast as it comes and queues all of it for
// the reply, ahead of the reads that count it; with one it waits for them, so that the limit holds
// for everything held. That thread takes the bound only for a request it already has: each request
// the reply hands to it (the first, and one more for each redirect followed) starts there without
// one, and a bound set before is lost. A GET is handed over within get(), so the bound set at once
// reaches it. A POST is handed over later, from a call the reply queues for itself, and its body is
// then fetched from this thread: the bound goes right behind the body's last piece. Not before the
// body, as that thread then now and then gives up the kept-alive connection after the answer; not
// later, as the answer may already be coming. The reply tells of both steps with signals no public
// header declares, startHttpRequest() and haveUploadData(); a connection made after the reply's own
// runs after them.
class ReadBufferBound : public QObject {
  Q_OBJECT

 public:
  explicit ReadBufferBound(QNetworkReply* reply) : QObject(reply), reply_(reply) {
    apply();
    connect(reply, SIGNAL(startHttpRequest()), this, SLOT(handedOver()));
  }

 private slots:
  void handedOver() {
    const char* const body = SIGNAL(haveUploadData(qint64, QByteArray, bool, qint64));
    disconnect(reply_, body, this, nullptr);
    if (reply_->operation() == QNetworkAccessManager::PostOperation) {
      connect(reply_, body, this, SLOT(bodyHandedOver(qint64, QByteArray, bool, qint64)));
    } else {  // a redirect followed as a GET: no body to wait for
      QMetaObject::invokeMethod(this, &ReadBufferBound::apply, Qt::QueuedConnection);
    }
  }

  void bodyHandedOver(qint64 position, const QByteArray& piece, bool, qint64 size) {
    if (position + piece.size() >= size) apply();
  }

  void apply() {
    if (!reply_->isFinished()) reply_->setReadBufferSize(kReadBufferBytes);
  }

 private:
  QNetworkReply* reply_;
};

}  // namespace

QString LimitMessage(ReplyEnd end, const ExchangeLimits& limits) {
  switch (end) {
    case ReplyEnd::IdleTimeout:
      return QStringLiteral("The server did not answer within %1 ms (time-out)").arg(limits.idleTimeoutMs);
    case ReplyEnd::TooLarge:
      return QStringLiteral("The answer is larger than %1 bytes (size limit)").arg(limits.maxAnswerBytes);
    case ReplyEnd::OverallLimit:
      return QStringLiteral("The request took longer than %1 ms (overall limit)").arg(limits.overallMs);
    case ReplyEnd::Finished:
      break;
  }
  return QString();
}

ReplyWait::ReplyWait(QNetworkReply* reply, const ExchangeLimits& limits, const QDeadlineTimer& overall)
    : reply_(reply), limits_(limits), overall_(overall) {
  new ReadBufferBound(reply);
}

// The timers and the reply may be in the middle of emitting a signal when the work that waited is
// destroyed, so they go later, and nothing of theirs reaches the work again.
ReplyWait::~ReplyWait() {
  if (reply_) {
    if (idle_) reply_->disconnect(idle_);  // only our own connections: Qt keeps some of its own
    if (!reply_->isFinished()) reply_->abort();
    reply_->deleteLater();
  }
  for (QTimer* timer : {idle_, whole_}) {
    if (!timer) continue;
    timer->stop();
    timer->disconnect();
    timer->deleteLater();
  }
}

bool ReplyWait::await_ready() {
  if (reply_->isFinished()) {
    take();
    done_ = true;
    return true;
  }
  if (overall_.hasExpired()) {
    stop(ReplyEnd::OverallLimit);
    return true;
  }
  return false;
}

void ReplyWait::await_suspend(std::coroutine_handle<> waiting) {
  waiting_ = waiting;
  idle_ = new QTimer;
  idle_->setSingleShot(true);
  QObject::connect(idle_, &QTimer::timeout, [this] { stop(ReplyEnd::IdleTimeout); });
  whole_ = new QTimer;
  whole_->setSingleShot(true);
  QObject::connect(whole_, &QTimer::timeout, [this] { stop(ReplyEnd::OverallLimit); });

  auto moved = [this] { idle_->start(limits_.idleTimeoutMs); };
  QNetworkReply* reply = reply_;
  QObject::connect(reply, &QNetworkReply::uploadProgress, idle_, moved);
  QObject::connect(reply, &QNetworkReply::downloadProgress, idle_, moved);
  QObject::connect(reply, &QNetworkReply::metaDataChanged, idle_, [this, moved] {
    moved();
    // An answer that announces more than the limit is refused before its body is read.
    const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > limits_.maxAnswerBytes) stop(ReplyEnd::TooLarge);
  });
  QObject::connect(reply, &QNetworkReply::readyRead, idle_, [this] { take(); });
  QObject::connect(reply, &QNetworkReply::finished, idle_, [this] {
    take();
    stop(ReplyEnd::Finished);
  });

  idle_->start(limits_.idleTimeoutMs);
  if (!overall_.isForever())
    whole_->start(static_cast<int>(std::clamp<qint64>(overall_.remainingTime(), 1, INT_MAX)));
}

// Reading as the bytes come keeps Qt's own buffer small; the limit is checked on what was read.
void ReplyWait::take() {
  if (done_ || !reply_) return;
  const QByteArray piece = reply_->readAll();
  const qsizetype held = result_.content.size();
  if (held + piece.size() > limits_.maxAnswerBytes) {
    stop(ReplyEnd::TooLarge);
    return;
  }
  // Grown in place: an append that outgrows the buffer copies it, and so holds the answer twice.
  result_.content.resize(held + piece.size());
  std::memcpy(result_.content.data() + held, piece.constData(), static_cast<size_t>(piece.size()));
}

void ReplyWait::stop(ReplyEnd end) {
  if (done_) return;
  done_ = true;
  result_.end = end;
  if (idle_) idle_->stop();
  if (whole_) whole_->stop();
  if (reply_) {
    reply_->disconnect(idle_);  // aborting finishes the reply, which must not count as an answer
    if (end != ReplyEnd::Finished) reply_->abort();
  }
  if (waiting_) std::exchange(waiting_, {}).resume();
}

#include "reply_wait.moc"
