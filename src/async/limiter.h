#pragma once

#include <QObject>
#include <coroutine>
#include <deque>
#include <utility>

// At most N pieces of work at once, the others waiting in the order they asked:
//
//   const Limiter::Permit permit = co_await limiter.acquire();   // held until the scope ends
//
// A freed place goes to the next in line from the event loop, never from inside the destructor
// that freed it, so no waiting work runs in the middle of another's cancellation. Work destroyed
// while it waits leaves the line.
class Limiter {
 public:
  explicit Limiter(int places = 1) : places_(places < 1 ? 1 : places) {}
  Limiter(const Limiter&) = delete;
  Limiter& operator=(const Limiter&) = delete;

  // A new number counts as places come back; work already let in goes on.
  void setPlaces(int places) {
    places_ = places < 1 ? 1 : places;
    scheduleHandOut();
  }
  int places() const { return places_; }
  int inUse() const { return inUse_; }

  class Permit {
   public:
    Permit() = default;
    explicit Permit(Limiter* limiter) : limiter_(limiter) {}
    Permit(Permit&& other) noexcept : limiter_(std::exchange(other.limiter_, nullptr)) {}
    Permit& operator=(Permit&& other) noexcept {
      if (this != &other) {
        release();
        limiter_ = std::exchange(other.limiter_, nullptr);
      }
      return *this;
    }
    Permit(const Permit&) = delete;
    Permit& operator=(const Permit&) = delete;
    ~Permit() { release(); }

   private:
    void release() {
      if (limiter_) std::exchange(limiter_, nullptr)->giveBack();
    }
    Limiter* limiter_ = nullptr;
  };

  class Acquire {
   public:
    explicit Acquire(Limiter* limiter) : limiter_(limiter) {}
    Acquire(const Acquire&) = delete;
    Acquire& operator=(const Acquire&) = delete;
    ~Acquire() {
      if (queued_) std::erase(limiter_->line_, this);
    }

    bool await_ready() {
      if (!limiter_->line_.empty() || limiter_->inUse_ >= limiter_->places_) return false;
      ++limiter_->inUse_;
      return true;
    }
    void await_suspend(std::coroutine_handle<> waiting) {
      waiting_ = waiting;
      queued_ = true;
      limiter_->line_.push_back(this);
    }
    Permit await_resume() { return Permit(limiter_); }

   private:
    friend class Limiter;
    Limiter* limiter_;
    bool queued_ = false;
    std::coroutine_handle<> waiting_;
  };

  Acquire acquire() { return Acquire(this); }

 private:
  void giveBack() {
    --inUse_;
    scheduleHandOut();
  }
  void scheduleHandOut() {
    if (handOutPending_ || line_.empty()) return;
    handOutPending_ = true;
    QMetaObject::invokeMethod(
        &context_, [this] { handOut(); }, Qt::QueuedConnection);
  }
  void handOut() {
    handOutPending_ = false;
    while (!line_.empty() && inUse_ < places_) {
      Acquire* next = line_.front();
      line_.pop_front();
      next->queued_ = false;
      ++inUse_;
      next->waiting_.resume();
    }
  }

  int places_;
  int inUse_ = 0;
  bool handOutPending_ = false;
  std::deque<Acquire*> line_;
  QObject context_;  // hand-outs queued on the event loop die with the limiter
};
