#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "druginfo/drug_info_controls.h"
#include "druginfo/drug_info_ui.h"
#include "history/institution_grid.h"
#include "history/tain_lists.h"
#include "orca/connection.h"
#include "orca/orca_client.h"

class PatientCacheSession;
struct PdfButtonAction;
struct Reception;

// The drug-information window without its widgets: its fields, its event handlers and its
// operations under their reference names. The view forwards each event to the handler of the
// same name and shows `controls()`.
class DrugInfoLogic {
 public:
  explicit DrugInfoLogic(DrugInfoUi& ui);
  ~DrugInfoLogic();
  DrugInfoLogic(const DrugInfoLogic&) = delete;
  DrugInfoLogic& operator=(const DrugInfoLogic&) = delete;

  DrugInfoControls& controls() { return controls_; }
  const DrugInfoControls& controls() const { return controls_; }
  OrcaClient& client() { return client_; }

  // Fields of the window.
  QDate FCurrentDate;
  QString FSelfMonth;
  QString FTainMonth;
  int FPatientRow = -1;
  QString FPatientID;
  QString FPatientName;
  QString FBirthDate;
  int FListMode = 0;
  QString FSelectedInst;
  // The five working lists (FMonthList, FPrescList, FInstMonthMap, FTkkDates, FMedInstMonths),
  // alive from FormShow to FormClose.
  std::unique_ptr<TainLists> FTainLists;

  // Connection fields, reloaded by GetWebORCAInfo.
  const QString& stURL() const { return connection_.stURL; }
  const QString& stAPIKEY() const { return connection_.stAPIKEY; }
  const QString& stAPIUSER() const { return connection_.stAPIUSER; }
  const QString& FSelfInstCd() const { return connection_.FSelfInstCd; }

  // Window lifetime and menu.
  void FormShow();
  void FormClose();
  void InitSet();
  // FormShow's two halves, for a caller without the window (rinmed-cli): the lists, and the
  // starting state without the first list load.
  void CreateWorkingLists();
  void ResetWindowState();
  void MenuWebORCAClick();
  void GetWebORCAInfo();

  // Reception list.
  void LoadPatientList();
  bool ParseAcceptanceList(const QString& fileName);
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

 private:
  void FlushOneRecord(const Reception& reception, PatientCacheSession& cache);
  void ChangeDay(const QDate& day);
  std::optional<QString> SelectedPatientNumber() const;
  void ReselectPatient(const std::optional<QString>& number);
  void OpenPatient();
  void ShowPatientLabels();
  void MergeSavedDrugPdf(TainLists& lists) const;
  void CarryOutPdfButton(const PdfButtonAction& action);

  DrugInfoUi& ui_;
  DrugInfoControls controls_;
  OrcaConnection connection_;
  OrcaClient client_;
  int rowCounter_ = 0;
};
