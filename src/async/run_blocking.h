#pragma once

#include <QEventLoop>

#include "async/task.h"

// Runs a task to its end while the caller waits: the event loop turns (the window keeps painting,
// replies and timers arrive) but user input is held back. For callers without a window of their
// own to return to (rinmed-cli, tests) and for handlers that must finish before they return.
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
