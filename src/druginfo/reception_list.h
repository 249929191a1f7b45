#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <optional>

#include "druginfo/drug_info_shared.h"
#include "patients/acceptance_list.h"
#include "patients/probe_schedule.h"
#include "push/live_reload.h"
#include "push/push_link.h"
#include "usecases/patient_grid.h"
#include "windowmodel/job.h"

// The left-hand side of the drug-information window: the day shown and the list mode, the day's
// reception list loaded in the background with its online-information marks, the refresh timer and
// the push link that reloads the list when ORCA reports a change of that day.
//
// What always holds:
// - One load of the list at a time, in the list job. A new load replaces the one running, and a
//   search's patients replace the list and the load; nothing of a replaced load reaches the grid.
// - The list shown is the last one that arrived; the marks of its rows fill in as their probes end.
// - A patient found marked on a day is never probed again that day: a mark is never taken back.
// - An unmarked patient is probed when first listed, then as `ProbeSchedule` says (1, 2, 4 … 32
//   minutes later, or when a pushed event names them); a reload in between only reads the list.
// - A change pushed while the list loads is read once more after that load.
// - `FPatientRow` is the row last selected, -1 when none; refilling the grid resets it, and the loads
//   that keep the selection (mode button, refresh) set it again on the selected patient's new row.
// - The timer skips its ticks while the push link stands, and on any day but today.
class ReceptionList {
 public:
  explicit ReceptionList(DrugInfoShared& window);
  ReceptionList(const ReceptionList&) = delete;
  ReceptionList& operator=(const ReceptionList&) = delete;

  const QDate& currentDate() const { return FCurrentDate; }
  ListMode listMode() const { return FListMode; }
  int patientRow() const { return FPatientRow; }
  // The number and the name in a row of the grid, as they stand.
  QString numberAt(int row) const { return w_.controls.GridPatient.cell(1, row); }
  QString nameAt(int row) const { return w_.controls.GridPatient.cell(2, row); }
  // Whether a patient is known to be marked on the day shown.
  bool knownMarked(const QString& number) const;

  Job& job() { return job_; }
  const Job& job() const { return job_; }
  PushLink& push() { return push_; }
  const PushLink& push() const { return push_; }
  LiveReload& liveReload() { return live_; }
  const LiveReload& liveReload() const { return live_; }

  // From FormShow to FormClose the push link stands and pushed changes reload the list.
  void open();
  void close();
  // The list's part of the window's starting state: today, "全て", no row selected, an empty grid.
  void InitSet();

  void LoadPatientList();  // warns instead when no server is configured
  void ClearPatientGrid();
  void UpdateDateLabel();
  void UpdateListStateDisplay();
  void BtnPrevDayClick();
  void BtnNextDayClick();
  void BtnTodayClick();
  void BtnKaikeiMiClick();
  void TimerRefreshTimer();
  void GridPatientSelectCell(int col, int row);
  // Probes the rows not known to be marked; a load of the list in flight does that itself.
  void CheckTainPermission();
  // (Re)starts the push link for the settings in force; one that stands for the same target stays.
  void StartPush();

  // A search's patients replace the list and any load of it, with the marks known for the day.
  void replaceWith(QList<ListedPatient> patients);
  void selectRow(int row);
  // The check's outcome of every row's patient prepared ahead, as icons in the grid.
  void ShowPreparedChecks();
  // After the list job has ended: a change pushed meanwhile is read now.
  void loadEnded();

 private:
  enum class Load { Plain, Reselect, Refresh };

  void loadList(Load load);
  void startLoad(Load load);
  Job::Road listRoad(QDate day, ListMode mode, Load load);
  Job::Road marksRoad();
  Task<void> markRows(QDate day);
  void ChangeDay(const QDate& day);
  std::optional<QString> SelectedPatientNumber() const;
  void ReselectPatient(const std::optional<QString>& number);
  void PushReload();
  void ShowPushIndicator();

  DrugInfoShared& w_;

  QDate FCurrentDate;
  ListMode FListMode = ListMode::All;
  int FPatientRow = -1;

  QHash<QDate, QSet<QString>> markedOn_;  // patients found marked, by day
  QHash<QDate, ProbeSchedule> probes_;    // when the unmarked ones are probed again, by day
  bool open_ = false;                     // from open() to close()
  bool again_ = false;                    // a pushed change arrived while the list was loading
  bool pushShown_ = false;                // push notifications on and a server configured
  PushTarget pushTarget_;
  PushLink push_;
  LiveReload live_;
  // Last: destroyed first, while what its road uses still stands.
  Job job_;
};
