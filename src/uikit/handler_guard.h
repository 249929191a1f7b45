#pragma once

// Keeps event handlers from overlapping. Requests wait in a local event loop, so a timer tick can
// arrive while another handler is still running; such a tick must be dropped, not nested.
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
