#include "patients/prepare_queue.h"

#include "orca/patient_number.h"

QStringList PrepareQueue::listed(const QStringList& waiting) {
  QStringList now;
  for (const QString& number : waiting) {
    const QString patient = NormalisePatientNumber(number);
    if (!patient.isEmpty() && !now.contains(patient)) now << patient;
  }
  QStringList gone;
  for (const QString& patient : std::as_const(waiting_)) {
    if (!now.contains(patient)) gone << patient;
  }
  for (const QString& patient : std::as_const(gone)) entries_.remove(patient);
  // A patient named before the list that receives them arrives stays first.
  waiting_ = now;
  return gone;
}

void PrepareQueue::named(const QString& number) {
  const QString patient = NormalisePatientNumber(number);
  if (patient.isEmpty()) return;
  entries_[patient].again = true;
  if (!pushed_.contains(patient)) pushed_ << patient;
}

void PrepareQueue::markFound(const QString& number) {
  const QString patient = NormalisePatientNumber(number);
  if (patient.isEmpty() || !entries_.contains(patient)) return;  // never prepared: due anyway
  entries_[patient].again = true;
}

void PrepareQueue::began(const QString& number) {
  const QString patient = NormalisePatientNumber(number);
  pushed_.removeAll(patient);
  entries_[patient].again = false;
}

void PrepareQueue::ended(const QString& number, const QDateTime& now, bool whole) {
  const QString patient = NormalisePatientNumber(number);
  if (!waiting_.contains(patient)) return;  // billed meanwhile: nothing is kept
  Entry& entry = entries_[patient];
  if (whole) {
    entry.preparedAt = now;
    entry.failedAt = QDateTime();
  } else {
    entry.failedAt = now;
    entry.again = true;  // what was kept before stays behind what ORCA would answer now
  }
}

void PrepareQueue::clear() {
  waiting_.clear();
  pushed_.clear();
  entries_.clear();
}

bool PrepareQueue::waits(const QString& number) const {
  return waiting_.contains(NormalisePatientNumber(number));
}

bool PrepareQueue::due(const QString& patient, const QDateTime& now) const {
  const auto found = entries_.constFind(patient);
  if (found == entries_.cend()) return true;
  const Entry& entry = *found;
  if (entry.failedAt.isValid() && entry.failedAt.msecsTo(now) < kRetryMs) return false;
  if (entry.again || entry.failedAt.isValid() || !entry.preparedAt.isValid()) return true;
  return entry.preparedAt.msecsTo(now) >= kFreshMs;
}

std::optional<QString> PrepareQueue::next(const QDateTime& now, int kept, int mostKept) const {
  const auto pick = [&](const QString& patient) {
    if (!waiting_.contains(patient) || !due(patient, now)) return false;
    const bool known = entries_.contains(patient) && entries_.value(patient).preparedAt.isValid();
    return known || kept < mostKept;
  };
  for (const QString& patient : pushed_) {
    if (pick(patient)) return patient;
  }
  for (const QString& patient : waiting_) {
    if (pick(patient)) return patient;
  }
  return std::nullopt;
}

bool PrepareQueue::fresh(const QString& number, const QDateTime& now) const {
  const auto found = entries_.constFind(NormalisePatientNumber(number));
  if (found == entries_.cend() || found->again || !found->preparedAt.isValid()) return false;
  return found->preparedAt.msecsTo(now) < kFreshMs;
}
