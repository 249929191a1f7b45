#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "druginfo/drug_info_controls.h"
#include "druginfo/drug_info_ui.h"
#include "orca/connection.h"
#include "orca/orca_client.h"

class PatientCacheSession;
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
  // Working lists, alive from FormShow to FormClose. The prescription list joins them together
  // with its record type.
  std::unique_ptr<QStringList> FMonthList;
  std::unique_ptr<QStringList> FInstMonthMap;
  std::unique_ptr<QStringList> FTkkDates;
  std::unique_ptr<QStringList> FMedInstMonths;

  // Connection fields, reloaded by GetWebORCAInfo.
  const QString& stURL() const { return connection_.stURL; }
  const QString& stAPIKEY() const { return connection_.stAPIKEY; }
  const QString& stAPIUSER() const { return connection_.stAPIUSER; }
  const QString& FSelfInstCd() const { return connection_.FSelfInstCd; }

  // Window lifetime and menu.
  void FormShow();
  void FormClose();
  void InitSet();
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

  // Handlers whose behaviour belongs to the search, the histories, the PDF buttons and copy and
  // print. They are wired to their controls already and do nothing yet.
  void BtnSearchClick() {}
  bool EditSearchKeyPress(QChar) { return false; }  // true: the key was swallowed
  void ComboBoxSearchChange() {}
  void BtnPDFYClick() {}
  void BtnPDFTClick() {}
  void GridPatientDblClick() {}
  void GridInstitutionDblClick() {}
  void BtnBackClick() {}
  void BtnSelfPrevMonthClick() {}
  void BtnSelfNextMonthClick() {}
  void BtnCopyClick() {}
  void BtnPrintClick() {}

 private:
  void FlushOneRecord(const Reception& reception, PatientCacheSession& cache);
  void ChangeDay(const QDate& day);
  std::optional<QString> SelectedPatientNumber() const;
  void ReselectPatient(const std::optional<QString>& number);

  DrugInfoUi& ui_;
  DrugInfoControls controls_;
  OrcaConnection connection_;
  OrcaClient client_;
  int rowCounter_ = 0;
};
