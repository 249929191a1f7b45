#pragma once

#include <QObject>
#include <algorithm>
#include <coroutine>
#include <vector>

// Work that waits until something else says it may go on:
//
//   co_await wake.wait();   // in the waiting work
//   wake.wakeAll();         // in the work it waits for
//
// wakeAll() lets go the work waiting at that moment, each resumed from the event loop (never from
// inside the caller, who may be a task about to end). Work destroyed while it waits leaves.
class WakeUp {
 public:
  WakeUp() = default;
  WakeUp(const WakeUp&) = delete;
  WakeUp& operator=(const WakeUp&) = delete;

  class Wait {
   public:
    explicit Wait(WakeUp* wake) : wake_(wake) {}
    Wait(const Wait&) = delete;
    Wait& operator=(const Wait&) = delete;
    ~Wait() {
      if (queued_) std::erase(wake_->waiting_, this);
    }
    bool await_ready() const noexcept { return false; }
    void await_suspend(std::coroutine_handle<> waiting) {
      waiting_ = waiting;
      queued_ = true;
      wake_->waiting_.push_back(this);
    }
    void await_resume() const noexcept {}

   private:
    friend class WakeUp;
    WakeUp* wake_;
    bool queued_ = false;
    bool woken_ = false;
    std::coroutine_handle<> waiting_;
  };

  Wait wait() { return Wait(this); }

  void wakeAll() {
    if (waiting_.empty()) return;
    for (Wait* wait : waiting_) wait->woken_ = true;
    QMetaObject::invokeMethod(
        &point_, [this] { resumeWoken(); }, Qt::QueuedConnection);
  }

 private:
  // One at a time, looked up again after each, as a resumed work may destroy another that waits.
  void resumeWoken() {
    for (;;) {
      auto next = std::find_if(waiting_.begin(), waiting_.end(), [](const Wait* w) { return w->woken_; });
      if (next == waiting_.end()) return;
      Wait* woken = *next;
      waiting_.erase(next);
      woken->queued_ = false;
      woken->waiting_.resume();
    }
  }

  std::vector<Wait*> waiting_;
  QObject point_;  // the posted resumptions die with it
};
