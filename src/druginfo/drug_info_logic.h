#pragma once

#include <QDate>
#include <QString>
#include <optional>

#include "core/write_trouble.h"
#include "druginfo/drug_info_shared.h"
#include "druginfo/patient_panes.h"
#include "druginfo/reception_list.h"

// The drug-information window without its widgets: its fields, its event handlers and its
// operations under their reference names. The view forwards each event to the handler of the same
// name and shows `controls()`.
//
// The window is two parts that share the models of the controls, the connection and the client
// (DrugInfoShared): the reception list on the left (ReceptionList: the day, its loads, marks, timer
// and push link) and the patient on the right (PatientPanes: the search by number, the opening, the
// panes, the own history's months and the medication check). Each runs its work as jobs in the
// background. This class hands every handler to its part and holds the rules that join them: a
// search's patients replace the list; an opened patient's panes have the list probed again; a job's
// end shows its box or its error; the work text tells what every job does; a file of the program's
// folder that cannot be written is told once per cause (WriteTroubleTeller), never as every job's error.
class DrugInfoLogic {
 public:
  explicit DrugInfoLogic(DrugInfoUi& ui);
  ~DrugInfoLogic();
  DrugInfoLogic(const DrugInfoLogic&) = delete;
  DrugInfoLogic& operator=(const DrugInfoLogic&) = delete;

  DrugInfoControls& controls() { return shared_.controls; }
  const DrugInfoControls& controls() const { return shared_.controls; }
  OrcaClient& client() { return shared_.client; }

  // The window's fields, as the handlers leave them.
  const QDate& currentDate() const { return list_.currentDate(); }
  ListMode listMode() const { return list_.listMode(); }
  int patientRow() const { return list_.patientRow(); }
  const QString& patientId() const { return patient_.patientId(); }
  const QString& patientName() const { return patient_.patientName(); }
  const QString& birthDate() const { return patient_.birthDate(); }
  const QString& selfMonth() const { return patient_.selfMonth(); }
  const QString& tainMonth() const { return patient_.tainMonth(); }
  const QString& selectedInst() const { return patient_.selectedInst(); }
  // The five working lists, alive from FormShow to FormClose.
  const TainLists* tainLists() const { return patient_.tainLists(); }
  // The connection fields, reloaded by GetWebORCAInfo.
  const OrcaConnection& connection() const { return shared_.connection; }
  // Whether any work runs in the background.
  bool working() const { return shared_.controls.working; }
  // The push link, open from FormShow to FormClose, and the reloads it asks for.
  PushLink& push() { return list_.push(); }
  const PushLink& push() const { return list_.push(); }
  LiveReload& liveReload() { return list_.liveReload(); }
  const LiveReload& liveReload() const { return list_.liveReload(); }
  // The medication check of the patient shown; nothing while none has ended for that patient.
  const std::optional<MedicationCheck>& medicationCheck() const { return patient_.medicationCheck(); }
  // Today's waiting patients, opened and checked ahead.
  PreparedDay& prepared() { return shared_.prepared; }
  const PreparedDay& prepared() const { return shared_.prepared; }

  // Window lifetime and menu.
  void FormShow();
  void FormClose();
  void InitSet();
  void MenuWebORCAClick();
  void GetWebORCAInfo() { shared_.reloadConnection(); }

  // Reception list.
  void LoadPatientList() { list_.LoadPatientList(); }
  void ClearPatientGrid() { list_.ClearPatientGrid(); }
  void UpdateDateLabel() { list_.UpdateDateLabel(); }
  void UpdateListStateDisplay() { list_.UpdateListStateDisplay(); }
  void BtnPrevDayClick() { list_.BtnPrevDayClick(); }
  void BtnNextDayClick() { list_.BtnNextDayClick(); }
  void BtnTodayClick() { list_.BtnTodayClick(); }
  void BtnKaikeiMiClick() { list_.BtnKaikeiMiClick(); }
  void TimerRefreshTimer() { list_.TimerRefreshTimer(); }
  void GridPatientSelectCell(int col, int row) { list_.GridPatientSelectCell(col, row); }
  // Online-information marks over every data row of the patient grid.
  void CheckTainPermission() { list_.CheckTainPermission(); }

  // Search and opening a patient.
  void BtnSearchClick();
  bool EditSearchKeyPress(QChar key);  // true: the key was swallowed
  void ComboBoxSearchChange();
  void SearchByPatientID(const QString& patientId) { patient_.SearchByPatientID(patientId); }
  void SearchByName(const QString& text);
  void GridPatientDblClick();

  // Other institutions: the overview and one institution's detail. The view maps the pointer to
  // the cell under it; (-1, -1) when it is outside the cells.
  void ClearInstitutionGrid() { patient_.ClearInstitutionGrid(); }
  void DisplayTainYakureki() { patient_.DisplayTainYakureki(); }
  void DisplayTainDetailYakureki() { patient_.DisplayTainDetailYakureki(); }
  void GridInstitutionDblClick(int col, int row) { patient_.GridInstitutionDblClick(col, row); }
  void BtnBackClick() { patient_.BtnBackClick(); }

  // The own-institution month.
  void UpdateSelfMonthLabel() { patient_.UpdateSelfMonthLabel(); }
  void BtnSelfPrevMonthClick() { patient_.BtnSelfPrevMonthClick(); }
  void BtnSelfNextMonthClick() { patient_.BtnSelfNextMonthClick(); }
  void DisplaySelfYakureki() { patient_.DisplaySelfYakureki(); }

  // The patient's saved PDFs: open in the desktop's viewer, or say why not.
  void BtnPDFYClick() { patient_.BtnPDFYClick(); }
  void BtnPDFTClick() { patient_.BtnPDFTClick(); }

  // Copy and print of the other institutions' text.
  void BtnCopyClick() { patient_.BtnCopyClick(); }
  void BtnPrintClick() { patient_.BtnPrintClick(); }

  // A click on the medication check's indicator opens the findings once the check has ended.
  void LabelMedCheckClick() { patient_.LabelMedCheckClick(); }

 private:
  void follow(Job& job);
  void showJobEnd(const std::optional<UserMessage>& message, std::exception_ptr error);
  void showWork();
  void showWriteTrouble(const QString& text);

  DrugInfoShared shared_;
  bool open_ = false;  // from FormShow to FormClose
  // After what they share: destroyed first, while the client their requests use still stands.
  ReceptionList list_;
  PatientPanes patient_;
  // From the logic's making to FormClose.
  std::optional<WriteTroubleTeller> teller_;
};
