#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>

// When an unmarked patient of a day is probed for online information again. ORCA learns of a
// patient's online information soon after the reception, if at all, so a patient is probed when
// first listed and then 1, 2, 4, 8, 16 and 32 minutes after that; a reload in between asks nothing.
// A pushed event that names the patient makes them due at once. A patient found marked is never
// probed again (the caller keeps the marks). A number is taken trimmed and without leading zeros,
// so a pushed event's padded number names the grid's patient.
class ProbeSchedule {
 public:
  // Whether the patient is to be probed at `now`: never probed yet, named by a pushed event since
  // the last probe, or a step of the schedule reached since the last probe.
  bool due(const QString& number, const QDateTime& now) const;
  // A probe of the patient was made at `now` (whatever it found).
  void probed(const QString& number, const QDateTime& now);
  // A pushed event named the patient.
  void named(const QString& number);
  // Whether the patient was probed before (a mark found now is news: it came after the reception).
  bool probedBefore(const QString& number) const;

 private:
  struct Entry {
    QDateTime first;  // the first probe
    QDateTime last;   // the latest probe
    bool named = false;
  };
  QHash<QString, Entry> entries_;
};
