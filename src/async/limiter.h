#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <coroutine>
#include <deque>
#include <utility>

// At most N pieces of work at once, the others waiting in the order they asked:
//
//   const Limiter::Permit permit = co_await limiter.acquire();   // held until the scope ends
//
// Work that others wait on (a step whose answer leads to the next request) may ask to go ahead:
// it takes a free place at once and otherwise waits behind the work already ahead only. Work in
// line is always let in from the event loop, so that a chain step asked for in the same turn as
// many leaves of the road gets its place first; the road's longest chain is then not held up by
// the leaves that hang off it.
//
// Places are handed out from the event loop, never from inside the destructor that freed one, so
// no waiting work runs in the middle of another's cancellation; the hand-out is posted with high
// priority, so that a chain step does not wait behind answers already queued. Work destroyed while
// it waits leaves the line.
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
  int waiting() const { return static_cast<int>(line_.size()); }

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
    Acquire(Limiter* limiter, bool ahead) : limiter_(limiter), ahead_(ahead) {}
    Acquire(const Acquire&) = delete;
    Acquire& operator=(const Acquire&) = delete;
    ~Acquire() {
      if (queued_) std::erase(limiter_->line_, this);
    }

    bool await_ready() {
      if (!ahead_ || limiter_->inUse_ >= limiter_->places_) return false;
      if (!limiter_->line_.empty() && limiter_->line_.front()->ahead_) return false;
      ++limiter_->inUse_;
      return true;
    }
    void await_suspend(std::coroutine_handle<> waiting) {
      waiting_ = waiting;
      queued_ = true;
      auto& line = limiter_->line_;
      auto place = line.end();
      if (ahead_) {
        place = line.begin();
        while (place != line.end() && (*place)->ahead_) ++place;
      }
      line.insert(place, this);
      limiter_->scheduleHandOut();
    }
    Permit await_resume() { return Permit(limiter_); }

   private:
    friend class Limiter;
    Limiter* limiter_;
    bool ahead_;
    bool queued_ = false;
    std::coroutine_handle<> waiting_;
  };

  // `ahead`: work that others wait on, let in before the work in line.
  Acquire acquire(bool ahead = false) { return Acquire(this, ahead); }

 private:
  void giveBack() {
    --inUse_;
    scheduleHandOut();
  }
  void scheduleHandOut() {
    if (handOutPending_ || line_.empty() || inUse_ >= places_) return;
    handOutPending_ = true;
    QCoreApplication::postEvent(&handOutPoint_, new QEvent(QEvent::User), Qt::HighEventPriority);
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
  // Receives the posted hand-outs; those still queued die with the limiter.
  class HandOutPoint : public QObject {
   public:
    explicit HandOutPoint(Limiter* limiter) : limiter_(limiter) {}
    bool event(QEvent* event) override {
      if (event->type() != QEvent::User) return QObject::event(event);
      limiter_->handOut();
      return true;
    }

   private:
    Limiter* limiter_;
  };
  HandOutPoint handOutPoint_{this};
};
