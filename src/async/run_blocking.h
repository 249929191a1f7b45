#pragma once

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include "async/task.h"

// Runs a task to its end while the caller waits: the event loop turns (replies and timers arrive)
// but user input is held back. For callers without a window to return to: rinmed-cli, tests and
// benchmarks; a window runs its work as jobs instead.
template <class T>
T RunBlocking(Task<T> task) {
  QEventLoop loop;
  bool finished = false;
  task.start([&] {
    finished = true;
    loop.quit();
  });
  if (!finished) loop.exec(QEventLoop::ExcludeUserInputEvents);
  return task.result();
}

// Turns the event loop until `done()` holds, at most `ms`; false when it did not hold by then. For
// the same callers, waiting for a window's background work: `RunUntil([&] { return !logic.working(); })`.
// A real event loop, not processEvents(): objects deleted later (replies, sockets) go as they would.
// `done()` is asked every millisecond, so that a benchmark's wall time is not rounded up to a
// coarser tick; each turn is a loop of its own that returns, so that what was deleted later inside
// it goes as it would.
template <class Done>
bool RunUntil(Done done, int ms = 60000) {
  const QDeadlineTimer deadline(ms);
  while (!done() && !deadline.hasExpired()) {
    QEventLoop loop;
    QTimer::singleShot(1, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return done();
}
