#pragma once

#include <QCoreApplication>

#include "async/run_blocking.h"

// Runs the event loop until the logic's background work has ended (at most `ms`); false when it
// had not ended by then.
template <class Logic>
bool WaitUntilIdle(const Logic& logic, int ms = 30000) {
  const bool idle = RunUntil([&logic] { return !logic.working(); }, ms);
  QCoreApplication::processEvents();  // the end of the work is shown on a later turn
  return idle;
}
