#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

// Turns the event loop until `done` holds or `limitMs` have passed; whether it holds. The limit only keeps
// a broken run from hanging: tests assert on what happened, never on how fast.
template <typename Done>
bool WaitUntil(Done done, int limitMs = 15000) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < limitMs) {
    QEventLoop loop;
    QTimer::singleShot(10, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return done();
}

// Turns the event loop for this long: for what must NOT happen within a stretch of time.
inline void Pass(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}
