#pragma once

// The pause before the next attempt to connect: the first pause after a failure, doubled after each
// further failure up to the cap, and back to the first once a connection stood. Keeps a server that
// is down from being asked again and again, yet finds it soon after a short drop.
class ReconnectDelay {
 public:
  ReconnectDelay(int firstMs, int maxMs) : firstMs_(firstMs), maxMs_(maxMs), nextMs_(firstMs) {}

  int next();  // the pause to wait now
  void reset() { nextMs_ = firstMs_; }

 private:
  int firstMs_;
  int maxMs_;
  int nextMs_;
};
