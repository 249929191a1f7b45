#pragma once

#include <QCoreApplication>
#include <memory>
#include <utility>

#include "async/run_blocking.h"

// Runs the event loop until the logic's background work has ended (at most `ms`); false when it
// had not ended by then.
template <class Logic>
bool WaitUntilIdle(const Logic& logic, int ms = 30000) {
  const bool idle = RunUntil([&logic] { return !logic.working(); }, ms);
  QCoreApplication::processEvents();  // the end of the work is shown on a later turn
  return idle;
}

// Owns a window's logic for a test. A call through `logic->` waits, once the call has returned,
// until the work it started in the background has ended: the test reads the controls as a user
// who waits for the screen would. `logic.now()` reaches the logic without waiting, to act while
// work runs.
template <class Logic>
class SettlingLogic {
 public:
  class Call {
   public:
    explicit Call(Logic* logic) : logic_(logic) {}
    Call(const Call&) = delete;
    Call& operator=(const Call&) = delete;
    ~Call() { WaitUntilIdle(*logic_); }
    Logic* operator->() const { return logic_; }

   private:
    Logic* logic_;
  };

  SettlingLogic& operator=(std::unique_ptr<Logic> logic) {
    logic_ = std::move(logic);
    return *this;
  }
  Call operator->() const { return Call(logic_.get()); }
  Logic* now() const { return logic_.get(); }
  Logic* get() const { return logic_.get(); }
  void reset() { logic_.reset(); }
  explicit operator bool() const { return bool(logic_); }

 private:
  std::unique_ptr<Logic> logic_;
};
