#include "push/reconnect_delay.h"

#include <algorithm>

int ReconnectDelay::next() {
  const int now = std::min(nextMs_, maxMs_);
  nextMs_ = now > maxMs_ / 2 ? maxMs_ : now * 2;
  return now;
}
