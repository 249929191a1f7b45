#include "orca/blocking_wait.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QTimer>

CollectedReply CollectReply(QNetworkReply* reply, const ExchangeLimits& limits,
                            const QDeadlineTimer& overall) {
  CollectedReply result;
  QEventLoop loop;
  bool done = false;
  auto stop = [&](ReplyEnd end) {
    if (done) return;  // aborting finishes the reply, which must not count as an answer
    done = true;
    result.end = end;
    if (end != ReplyEnd::Finished) reply->abort();
    loop.quit();
  };
  // Reading as the bytes come keeps Qt's own buffer small; the limit is checked on what was read.
  auto take = [&] {
    if (done) return;
    const QByteArray piece = reply->readAll();
    if (result.content.size() + piece.size() > limits.maxAnswerBytes) {
      stop(ReplyEnd::TooLarge);
      return;
    }
    result.content += piece;
  };
  // An answer that announces more than the limit is refused before its body is read.
  auto announced = [&] {
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > limits.maxAnswerBytes) stop(ReplyEnd::TooLarge);
  };

  // Without a bound the HTTP layer reads the network as fast as it can into memory of its own;
  // with one it waits for the reads below, so that the limit holds for everything held.
  reply->setReadBufferSize(256 * 1024);

  QTimer idle;
  idle.setSingleShot(true);
  QTimer whole;
  whole.setSingleShot(true);
  QObject::connect(&idle, &QTimer::timeout, &loop, [&] { stop(ReplyEnd::IdleTimeout); });
  QObject::connect(&whole, &QTimer::timeout, &loop, [&] { stop(ReplyEnd::OverallLimit); });
  auto moved = [&] { idle.start(limits.idleTimeoutMs); };
  QObject::connect(reply, &QNetworkReply::uploadProgress, &loop, moved);
  QObject::connect(reply, &QNetworkReply::downloadProgress, &loop, moved);
  QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] {
    moved();
    announced();
  });
  QObject::connect(reply, &QNetworkReply::readyRead, &loop, take);
  QObject::connect(reply, &QNetworkReply::finished, &loop, [&] {
    take();
    stop(ReplyEnd::Finished);
  });

  if (reply->isFinished()) {
    take();
    return result;
  }
  if (overall.hasExpired()) {
    stop(ReplyEnd::OverallLimit);
    return result;
  }
  idle.start(limits.idleTimeoutMs);
  if (!overall.isForever()) whole.start(std::max<qint64>(overall.remainingTime(), 1));
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  return result;
}

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

void PauseMs(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}
