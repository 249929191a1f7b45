#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>
#include <QtGlobal>

class QNetworkReply;

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

// Requests are synchronous for their caller, but the window must keep painting: these waits run
// a local event loop that leaves user input unprocessed until they return.

// Reads the reply's body as it arrives until the reply finishes or one of the limits is reached.
CollectedReply CollectReply(QNetworkReply* reply, const ExchangeLimits& limits,
                            const QDeadlineTimer& overall);

// The error text of a wait that ended at a limit (every end but Finished).
QString LimitMessage(ReplyEnd end, const ExchangeLimits& limits);

void PauseMs(int ms);
