#pragma once

// Keeps event handlers from overlapping. A handler may wait in a modal box, whose event loop still
// lets a timer tick arrive; such a tick must be dropped, not nested.
//
//   HandlerGuard guard;
//   if (!guard.entered()) return;   // another handler runs: drop this event
class HandlerGuard {
 public:
  HandlerGuard();
  ~HandlerGuard();
  HandlerGuard(const HandlerGuard&) = delete;
  HandlerGuard& operator=(const HandlerGuard&) = delete;

  bool entered() const { return entered_; }
  static bool busy();

 private:
  bool entered_;
};
