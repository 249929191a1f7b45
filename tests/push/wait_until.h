#pragma once

#include <QEventLoop>
#include <QTimer>
#include <utility>

#include "async/run_blocking.h"

// Turns the event loop until `done` holds or `limitMs` have passed; whether it holds. The limit only keeps
// a broken run from hanging: tests assert on what happened, never on how fast.
template <typename Done>
bool WaitUntil(Done done, int limitMs = 15000) {
  return RunUntil(std::move(done), limitMs);
}

// Turns the event loop for this long: for what must NOT happen within a stretch of time.
inline void Pass(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}
