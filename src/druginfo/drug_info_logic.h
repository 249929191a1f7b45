#pragma once

#include <QDate>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "druginfo/drug_info_controls.h"
#include "druginfo/drug_info_ui.h"
#include "tainhistory/tain_lists.h"
#include "medcheck/medication_check.h"
#include "orca/connection.h"
#include "orca/orca_client.h"
#include "patients/acceptance_list.h"
#include "push/live_reload.h"
#include "push/push_link.h"
#include "windowmodel/job.h"

struct PdfButtonAction;
struct OpenedPatient;
struct MedicationCheckInput;
struct TainOverview;

// The drug-information window without its widgets: its fields, its event handlers and its
// operations under their reference names. The handlers run the roads of src/usecases as jobs in
// the background and map their results onto the models of the controls; the view forwards each
// event to the handler of the same name and shows `controls()`.
//
// Three jobs may run at once, each with its own controls: the list (the day's receptions and
// their marks), the patient (a search by number, the opening, then the medication check of what
// the opening read) and a month of the own history chosen with the month buttons. A job started
// in a busy slot replaces the one there; nothing of a replaced job reaches the controls.
//
// While the window is open it listens to ORCA's push notifications: a change of the day shown reloads
// the list as a timer tick does, and the timer, the fallback, skips its ticks while the link stands.
class DrugInfoLogic {
 public:
  explicit DrugInfoLogic(DrugInfoUi& ui);
  ~DrugInfoLogic();
  DrugInfoLogic(const DrugInfoLogic&) = delete;
  DrugInfoLogic& operator=(const DrugInfoLogic&) = delete;

  DrugInfoControls& controls() { return controls_; }
  const DrugInfoControls& controls() const { return controls_; }
  OrcaClient& client() { return client_; }

  // The window's fields, as the handlers leave them.
  const QDate& currentDate() const { return FCurrentDate; }
  ListMode listMode() const { return FListMode; }
  int patientRow() const { return FPatientRow; }
  const QString& patientId() const { return FPatientID; }
  const QString& patientName() const { return FPatientName; }
  const QString& birthDate() const { return FBirthDate; }
  const QString& selfMonth() const { return FSelfMonth; }
  const QString& tainMonth() const { return FTainMonth; }
  const QString& selectedInst() const { return FSelectedInst; }
  // The five working lists, alive from FormShow to FormClose.
  const TainLists* tainLists() const { return FTainLists.get(); }
  // The connection fields, reloaded by GetWebORCAInfo.
  const OrcaConnection& connection() const { return connection_; }
  // Whether any work runs in the background.
  bool working() const { return controls_.working; }
  // The push link, open from FormShow to FormClose, and the reloads it asks for.
  PushLink& push() { return push_; }
  const PushLink& push() const { return push_; }
  LiveReload& liveReload() { return live_; }
  const LiveReload& liveReload() const { return live_; }

  // Window lifetime and menu.
  void FormShow();
  void FormClose();
  void InitSet();
  void MenuWebORCAClick();
  void GetWebORCAInfo();

  // Reception list.
  void LoadPatientList();
  void ClearPatientGrid();
  void ClearInstitutionGrid();
  void UpdateDateLabel();
  void UpdateListStateDisplay();
  void UpdateSelfMonthLabel();
  void BtnPrevDayClick();
  void BtnNextDayClick();
  void BtnTodayClick();
  void BtnKaikeiMiClick();
  void TimerRefreshTimer();
  void GridPatientSelectCell(int col, int row);

  // Online-information marks over every data row of the patient grid.
  void CheckTainPermission();

  // Search and opening a patient.
  void BtnSearchClick();
  bool EditSearchKeyPress(QChar key);  // true: the key was swallowed
  void ComboBoxSearchChange();
  void SearchByPatientID(const QString& patientId);
  void SearchByName(const QString& text);
  void GridPatientDblClick();

  // Other institutions: the overview and one institution's detail. The view maps the pointer to
  // the cell under it; (-1, -1) when it is outside the cells.
  void DisplayTainYakureki();
  void DisplayTainDetailYakureki();
  void GridInstitutionDblClick(int col, int row);
  void BtnBackClick();

  // The own-institution month.
  void BtnSelfPrevMonthClick();
  void BtnSelfNextMonthClick();
  void DisplaySelfYakureki();

  // The patient's saved PDFs: open in the desktop's viewer, or say why not.
  void BtnPDFYClick();
  void BtnPDFTClick();

  // Copy and print of the other institutions' text.
  void BtnCopyClick();
  void BtnPrintClick();

  // The medication check of the patient shown: a click on its indicator opens the findings once
  // the check has ended. The check itself; nothing while none has ended for the patient shown.
  void LabelMedCheckClick();
  const std::optional<MedicationCheck>& medicationCheck() const { return check_; }

 private:
  enum class ListLoad { Plain, Reselect, Refresh };

  void ChangeDay(const QDate& day);
  std::optional<QString> SelectedPatientNumber() const;
  void ReselectPatient(const std::optional<QString>& number);
  void OpenPatient();
  void ShowOpenedPatient(const OpenedPatient& opened);
  void ShowTainOverview(const TainOverview& overview);
  void ShowPatientLabels();
  void CarryOutPdfButton(const PdfButtonAction& action);

  void loadList(ListLoad load);  // warns instead when no server is configured
  void startListLoad(ListLoad load);

  // Push notifications: the link (re)started with the settings, the reload a pushed change asks
  // for, and the indicator.
  void StartPush();
  void PushReload();
  void ShowPushIndicator();

  // The roads the jobs run.
  Job::Road listRoad(QDate day, ListMode mode, ListLoad load);
  Job::Road marksRoad();
  Task<void> markRows(QDate day);
  Job::Road searchRoad(QString patientId);
  Job::Road openRoad();
  Task<MedicationCheckInput> openSteps();
  Task<void> checkMedication(MedicationCheckInput input);
  void clearMedicationCheck();
  Job::Road selfMonthRoad(QString patientId, QString month);

  void jobEnded(QString* progress, const std::optional<UserMessage>& message, std::exception_ptr error);
  void setProgress(QString* progress, const QString& text);
  void showWork();
  QSet<QString> knownMarks(const QDate& day) const { return markedOn_.value(day); }

  DrugInfoUi& ui_;
  DrugInfoControls controls_;
  OrcaConnection connection_;
  OrcaClient client_;

  // Fields of the window.
  QDate FCurrentDate;
  QString FSelfMonth;
  QString FTainMonth;
  int FPatientRow = -1;
  QString FPatientID;
  QString FPatientName;
  QString FBirthDate;
  ListMode FListMode = ListMode::All;
  QString FSelectedInst;
  std::unique_ptr<TainLists> FTainLists;

  // Patients found marked, by the day shown: a mark is never taken back, so they are not probed
  // again on that day.
  QHash<QDate, QSet<QString>> markedOn_;
  // A month chosen with the month buttons while a patient opens wins over the opening's month.
  bool selfMonthChosen_ = false;
  // The last medication check of the patient shown and that patient's "number　name".
  std::optional<MedicationCheck> check_;
  QString checkedPatient_;

  // From FormShow to FormClose.
  bool open_ = false;
  // A pushed change arrived while the list was loading: the list is read once more after that load.
  bool listAgain_ = false;
  // Whether the indicator is shown: push notifications are on and a server is configured.
  bool pushShown_ = false;
  PushTarget pushTarget_;
  PushLink push_;
  LiveReload live_;

  QString listProgress_;
  QString patientProgress_;
  QString selfProgress_;
  // Declared last: destroyed first, while the client their requests use still stands.
  Job listJob_;
  Job patientJob_;
  Job selfJob_;
};
