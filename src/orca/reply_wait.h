#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QNetworkReply>
#include <QPointer>
#include <QString>
#include <QtGlobal>
#include <coroutine>

class QTimer;

// The bounds every exchange with a server keeps, whatever the server does.
struct ExchangeLimits {
  int idleTimeoutMs = 60000;  // no byte moved for this long: a time-out
  // ORCA's answers are a few MB at most; a server streaming without end must not fill the memory.
  qint64 maxAnswerBytes = qint64(64) << 20;
  // A request (with its retries) ends here even when the server trickles bytes and so never lets
  // the idle time-out fire.
  int overallMs = 10 * 60 * 1000;
};

// How the wait for one reply ended. On every end but Finished the reply has been aborted.
enum class ReplyEnd { Finished, IdleTimeout, TooLarge, OverallLimit };

struct CollectedReply {
  ReplyEnd end = ReplyEnd::Finished;
  QByteArray content;  // the body as far as it arrived
};

// The error text of a wait that ended at a limit (every end but Finished).
QString LimitMessage(ReplyEnd end, const ExchangeLimits& limits);

// Waits for a reply without blocking (`co_await ReplyWait(reply, limits, deadline)`), reading its
// body as it arrives until it finishes or a limit is reached. It owns the reply from then on: the
// reply is deleted with the wait, and a wait destroyed before its end (work cancelled) aborts it.
class ReplyWait {
 public:
  ReplyWait(QNetworkReply* reply, const ExchangeLimits& limits, const QDeadlineTimer& overall);
  ~ReplyWait();
  ReplyWait(const ReplyWait&) = delete;
  ReplyWait& operator=(const ReplyWait&) = delete;

  QNetworkReply* reply() const { return reply_; }

  bool await_ready();
  void await_suspend(std::coroutine_handle<> waiting);
  CollectedReply await_resume() { return std::move(result_); }

 private:
  void take();
  void stop(ReplyEnd end);

  QPointer<QNetworkReply> reply_;
  ExchangeLimits limits_;
  QDeadlineTimer overall_;
  QTimer* idle_ = nullptr;
  QTimer* whole_ = nullptr;
  CollectedReply result_;
  bool done_ = false;
  std::coroutine_handle<> waiting_;
};
