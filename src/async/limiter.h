#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <algorithm>
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
// Work done ahead of need (preparing what the user may ask for next) asks as background work: it
// takes one place at most, whatever the number of places, and only while no other work waits; work
// that asks later still goes ahead of it. Whether work is background is read from its flag each time
// places are handed out, so background work whose result is now awaited by the user is raised by
// clearing the flag and calling reconsider().
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
  int backgroundInUse() const { return backgroundInUse_; }
  // Background work waiting may have been raised: the line is looked at again.
  void reconsider() { scheduleHandOut(); }
  int waiting() const { return static_cast<int>(line_.size()); }

  class Permit {
   public:
    Permit() = default;
    Permit(Limiter* limiter, bool background) : limiter_(limiter), background_(background) {}
    Permit(Permit&& other) noexcept
        : limiter_(std::exchange(other.limiter_, nullptr)), background_(other.background_) {}
    Permit& operator=(Permit&& other) noexcept {
      if (this != &other) {
        release();
        limiter_ = std::exchange(other.limiter_, nullptr);
        background_ = other.background_;
      }
      return *this;
    }
    Permit(const Permit&) = delete;
    Permit& operator=(const Permit&) = delete;
    ~Permit() { release(); }

   private:
    void release() {
      if (limiter_) std::exchange(limiter_, nullptr)->giveBack(background_);
    }
    Limiter* limiter_ = nullptr;
    bool background_ = false;
  };

  class Acquire {
   public:
    Acquire(Limiter* limiter, bool ahead, const bool* background)
        : limiter_(limiter), ahead_(ahead), background_(background) {}
    Acquire(const Acquire&) = delete;
    Acquire& operator=(const Acquire&) = delete;
    ~Acquire() {
      if (queued_) std::erase(limiter_->line_, this);
    }

    bool await_ready() {
      if (!ahead_ || background() || limiter_->inUse_ >= limiter_->places_) return false;
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
    Permit await_resume() { return Permit(limiter_, grantedInBackground_); }

   private:
    friend class Limiter;
    bool background() const { return background_ && *background_; }

    Limiter* limiter_;
    bool ahead_;
    const bool* background_;
    bool grantedInBackground_ = false;
    bool queued_ = false;
    std::coroutine_handle<> waiting_;
  };

  // `ahead`: work that others wait on, let in before the work in line. `background`, when given and
  // while it is true: work done ahead of need (see above); it must outlive the wait.
  Acquire acquire(bool ahead = false, const bool* background = nullptr) {
    return Acquire(this, ahead, background);
  }

 private:
  void giveBack(bool background) {
    --inUse_;
    if (background) --backgroundInUse_;
    scheduleHandOut();
  }
  void scheduleHandOut() {
    if (handOutPending_ || line_.empty() || inUse_ >= places_) return;
    handOutPending_ = true;
    QCoreApplication::postEvent(&handOutPoint_, new QEvent(QEvent::User), Qt::HighEventPriority);
  }
  // The first work in line that is not background; background work only when none other waits and
  // no background work holds a place.
  void handOut() {
    handOutPending_ = false;
    while (!line_.empty() && inUse_ < places_) {
      auto next = std::find_if(line_.begin(), line_.end(), [](const Acquire* a) { return !a->background(); });
      if (next == line_.end()) {
        if (backgroundInUse_ >= 1) return;
        next = line_.begin();
      }
      Acquire* let = *next;
      line_.erase(next);
      let->queued_ = false;
      let->grantedInBackground_ = let->background();
      ++inUse_;
      if (let->grantedInBackground_) ++backgroundInUse_;
      let->waiting_.resume();
    }
  }

  int places_;
  int inUse_ = 0;
  int backgroundInUse_ = 0;
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
