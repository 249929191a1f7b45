#include "orca/reply_wait.h"

#include <QNetworkReply>
#include <QTimer>
#include <algorithm>
#include <climits>

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
  // Without a bound the HTTP layer reads the network as fast as it can into memory of its own;
  // with one it waits for the reads below, so that the limit holds for everything held.
  reply->setReadBufferSize(256 * 1024);
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
  if (result_.content.size() + piece.size() > limits_.maxAnswerBytes) {
    stop(ReplyEnd::TooLarge);
    return;
  }
  result_.content += piece;
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
