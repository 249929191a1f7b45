#include "async/progress.h"

void Progress::set(const QString& label, int total) {
  const Value next{label, 0, total};
  if (next == value_) return;
  value_ = next;
  emit changed();
}

void Progress::advance() {
  ++value_.done;
  emit changed();
}

void Progress::count(int total) {
  set(value_.label, total);
}
