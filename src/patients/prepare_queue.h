#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

// Which of the day's waiting patients is prepared next, and whether what was prepared for one still
// stands for what ORCA would answer now. Patients are named by their number, trimmed and without
// leading zeros, so a pushed event's padded number names the list's patient.
//
// - Only waiting patients are prepared: those pushed (named by an event) first, in the order they
//   were named, then the others in the order they were received.
// - A patient is due when never prepared, when named or found marked since, when their preparation
//   is kFreshMs old, and kRetryMs after a preparation that was not whole.
// - No new patient is prepared once `mostKept` are kept.
class PrepareQueue {
 public:
  static constexpr qint64 kFreshMs = 10 * 60 * 1000;
  static constexpr qint64 kRetryMs = 60 * 1000;

  // The patients waiting now, as received. Gives those who waited before and wait no more, whose
  // preparation is forgotten.
  QStringList listed(const QStringList& waiting);
  // A pushed event named the patient; a probe found their mark. Either makes them due again.
  void named(const QString& number);
  void markFound(const QString& number);
  // A preparation of the patient began, and ended at `now`: whole, or with a request unanswered.
  void began(const QString& number);
  void ended(const QString& number, const QDateTime& now, bool whole);
  // Everything forgotten: the settings changed, the day ended, the window closed.
  void clear();

  bool waits(const QString& number) const;
  std::optional<QString> next(const QDateTime& now, int kept, int mostKept) const;
  // Whether the patient's last whole preparation stands at `now`.
  bool fresh(const QString& number, const QDateTime& now) const;

 private:
  struct Entry {
    QDateTime preparedAt;  // of the last whole preparation
    QDateTime failedAt;    // of the last preparation that was not whole, after it
    bool again = false;    // named or found marked since the last preparation began
  };
  bool due(const QString& number, const QDateTime& now) const;

  QStringList waiting_;
  QStringList pushed_;  // named and not prepared since, in the order named
  QHash<QString, Entry> entries_;
};
