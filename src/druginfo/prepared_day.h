#pragma once

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>

#include "async/task.h"
#include "async/wake_up.h"
#include "orca/orca_client.h"
#include "patients/prepare_queue.h"
#include "usecases/patient_grid.h"
#include "usecases/prepare_patient.h"

// Today's waiting patients, each opened and checked in the background before anyone asks, so that a
// double-click shows them at once and the list can show every check's outcome. Kept in memory only.
//
// What always holds:
// - One patient is prepared at a time, on a client of its own that sends through the window's client
//   as background work: one request at a time, behind every request of the user's (see Limiter).
// - Only patients with a reception still in progress on the list of today are prepared: a pushed
//   reception first, then the others in the order they were received. What is kept for a patient who
//   no longer waits (billed, or the reception cancelled) is dropped; so is everything when the
//   settings change, at midnight and when the window closes. While another day is shown, nothing is
//   prepared.
// - A patient is prepared again when a pushed event names them, when a probe finds their mark, and
//   once what is kept is ten minutes old while they still wait (PrepareQueue). A preparation with an
//   unanswered request is not kept; the patient is tried again a minute later.
// - What is kept for a patient is shown instead of opening them only while it is whole, fresher than
//   ten minutes, not owed a new preparation and not being prepared again (ready()).
// - An opening of the patient being prepared takes the preparation over (takeOver()): its requests
//   go as the user's from then on, and the opening shows what it brings.
// - At most kMostKept patients are kept a day.
class PreparedDay : public QObject {
  Q_OBJECT
 public:
  static constexpr int kMostKept = 200;

  explicit PreparedDay(OrcaClient& through);
  ~PreparedDay() override;

  // The window opened: PREPARE and the settings are read. Preparing begins with a list of today.
  void start();
  // The window closes: everything is dropped and nothing stays in flight.
  void stop();
  // The settings were read again: if any changed, everything kept is dropped and PREPARE read anew.
  void settingsRead();
  // The day the list shows: any but today pauses preparing.
  void showDay(const QDate& day);
  // A list of `day` arrived: the patients whose reception is still in progress, as received.
  void listed(const QDate& day, const QList<ListedPatient>& waiting);
  // A pushed event named the patient (as sent, zero-padded or not): prepared again, before others.
  void named(const QString& patientId);
  // A probe found the patient's mark: online information reached ORCA after the reception.
  void markFound(const QString& patientId);
  // Time has passed (also called by the review timer): midnight, and who is due again.
  void review();
  void setReviewIntervalMs(int ms) { reviewTimer_.setInterval(ms); }

  bool enabled() const { return enabled_; }
  // What is kept for the patient, for the list's icon: nothing while they are not prepared.
  const PreparedPatient* kept(const QString& patientId) const;
  // What is kept for the patient, when it may be shown instead of opening them.
  const PreparedPatient* ready(const QString& patientId) const;
  bool preparing(const QString& patientId) const;
  // Waits for the preparation of the patient running now, which goes at the user's priority while
  // waited for; what it brought (whole or not), or nothing when it was dropped or none ran.
  Task<std::optional<PreparedPatient>> takeOver(QString patientId);

  int keptCount() const { return static_cast<int>(kept_.size()); }
  bool running() const { return running_.valid(); }
  // The client preparing sends on, for tests that count its requests.
  const OrcaClient& client() const { return lane_; }

 signals:
  // A patient's kept preparation came or went: the list's icons follow.
  void changed();

 private:
  static QString SettingsNow();
  void dropAll();
  void dropIfDayEnded();
  void cancelRunning();
  bool paused() const;
  void prepareNext();
  Task<void> prepare(QString patientId, QString patientName);
  void ended(quint64 generation);

  OrcaClient lane_;
  bool open_ = false;
  bool enabled_ = true;
  QString settings_;               // the settings as last read, to notice a change
  QDate day_;                      // the day what is kept belongs to
  QDate shownDay_;                 // the day the list shows
  QHash<QString, QString> names_;  // of the waiting patients, by number
  PrepareQueue queue_;
  QHash<QString, PreparedPatient> kept_;
  std::optional<PreparedPatient> handOver_;  // what the preparation that ended brought, for its taker
  QString runningId_;
  int takers_ = 0;
  quint64 generation_ = 0;
  WakeUp preparationEnded_;
  QTimer reviewTimer_;
  // Last: destroyed first, while what it uses still stands.
  Task<void> running_;
};
