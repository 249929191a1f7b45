#include "patients/probe_schedule.h"

#include <array>

#include "orca/patient_number.h"
#include "orca/response_reader.h"

namespace {

// Minutes after the first probe at which the patient is probed again.
constexpr std::array<int, 6> kAgainAfterMinutes{1, 2, 4, 8, 16, 32};

// The grid shows numbers without their leading zeros; a pushed event sends them padded.
QString Key(const QString& number) {
  return NormalisePatientNumber(TrimBlanksAndControls(number));
}

}  // namespace

bool ProbeSchedule::due(const QString& number, const QDateTime& now) const {
  const auto found = entries_.constFind(Key(number));
  if (found == entries_.constEnd()) return true;
  const Entry& entry = *found;
  if (entry.named) return true;
  for (const int minutes : kAgainAfterMinutes) {
    const QDateTime step = entry.first.addSecs(minutes * 60);
    if (entry.last < step && step <= now) return true;
  }
  return false;
}

void ProbeSchedule::probed(const QString& number, const QDateTime& now) {
  Entry& entry = entries_[Key(number)];
  if (!entry.first.isValid()) entry.first = now;
  entry.last = now;
  entry.named = false;
}

void ProbeSchedule::named(const QString& number) {
  const auto found = entries_.find(Key(number));
  if (found != entries_.end()) found->named = true;
}

bool ProbeSchedule::probedBefore(const QString& number) const {
  return entries_.contains(Key(number));
}
