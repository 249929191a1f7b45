#include "core/clock.h"

namespace {
std::function<QDateTime()>& Source() {
  static std::function<QDateTime()> source;
  return source;
}
}  // namespace

QDateTime Now() { return Source() ? Source()() : QDateTime::currentDateTime(); }

QDate Today() { return Now().date(); }

void SetClockForTesting(std::function<QDateTime()> source) { Source() = std::move(source); }
