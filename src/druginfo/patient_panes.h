#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>

#include "druginfo/drug_info_shared.h"
#include "medcheck/medication_check.h"
#include "tainhistory/tain_lists.h"
#include "windowmodel/job.h"

struct MedicationCheckInput;
struct OpenedPatient;
struct PdfButtonAction;
struct PreparedPatient;
struct TainOverview;

// The right-hand side of the drug-information window and the search by number: the patient shown,
// the fixed road that opens one (the other institutions with the grid and the overview, the own
// history, the age, then the medication check), an institution's detail, the own history's month
// buttons, the saved PDFs, copy and print.
//
// What always holds:
// - One patient at a time, in the patient job: a search by number, the opening, then the check. A new
//   patient replaces the one opening, and nothing of the replaced one reaches the panes.
// - The working lists (`FTainLists`, from open() to close()) hold what the last opening read; the
//   overview and an institution's detail are redrawn from them without requests, never while an
//   opening runs.
// - A month chosen with the month buttons (the month job) while a patient opens wins over the
//   opening's own-history month; a new opening cancels a month still loading.
// - The check's indicator shows the check of the patient shown, or nothing.
// - A patient prepared ahead (PreparedDay::ready) opens from memory, without a request, with the
//   panes the road would show; one being prepared is taken over, the road asking nothing of its own.
class PatientPanes : public QObject {
  Q_OBJECT
 public:
  explicit PatientPanes(DrugInfoShared& window);
  ~PatientPanes() override;

  const QString& patientId() const { return FPatientID; }
  const QString& patientName() const { return FPatientName; }
  const QString& birthDate() const { return FBirthDate; }
  const QString& selfMonth() const { return FSelfMonth; }
  const QString& tainMonth() const { return FTainMonth; }
  const QString& selectedInst() const { return FSelectedInst; }
  const TainLists* tainLists() const { return FTainLists.get(); }
  const std::optional<MedicationCheck>& medicationCheck() const { return check_; }
  Job& job() { return job_; }
  const Job& job() const { return job_; }
  Job& monthJob() { return monthJob_; }
  const Job& monthJob() const { return monthJob_; }

  void open();
  void close();
  // The panes' part of the window's starting state: the current month, empty panes, no check.
  void InitSet();

  void SearchByPatientID(const QString& patientId);
  // Opens the patient of a row of the list, number and name as they stand.
  void openRow(const QString& patientId, const QString& patientName);

  void ClearInstitutionGrid();
  void UpdateSelfMonthLabel();
  void DisplayTainYakureki();
  void DisplayTainDetailYakureki();
  void GridInstitutionDblClick(int col, int row);
  void BtnBackClick();
  void BtnSelfPrevMonthClick();
  void BtnSelfNextMonthClick();
  void DisplaySelfYakureki();
  void BtnPDFYClick();
  void BtnPDFTClick();
  void BtnCopyClick();
  void BtnPrintClick();
  void LabelMedCheckClick();

 signals:
  // A search by number found the patient, who is now opened: the list shows them alone.
  void patientFound(const QString& patientId, const QString& patientName);
  // The opening has shown the patient's panes: the list's marks are probed again.
  void panesShown();

 private:
  void OpenPatient();
  void ShowPatientLabels();
  void ShowOpenedPatient(const OpenedPatient& opened);
  void ShowPreparedPatient(const PreparedPatient& prepared);
  void showCheck(const MedicationCheck& check);
  void ShowPreparedAge(const QDateTime& preparedAt);
  void ShowTainOverview(const TainOverview& overview);
  void CarryOutPdfButton(const PdfButtonAction& action);
  Job::Road searchRoad(QString patientId);
  Job::Road openRoad();
  // Nothing when the panes were shown from what was prepared, check included.
  Task<std::optional<MedicationCheckInput>> openSteps();
  Task<void> checkMedication(MedicationCheckInput input);
  void clearMedicationCheck();
  Job::Road monthRoad(QString patientId, QString month);

  DrugInfoShared& w_;

  QString FPatientID;
  QString FPatientName;
  QString FBirthDate;
  QString FSelfMonth;
  QString FTainMonth;
  QString FSelectedInst;
  std::unique_ptr<TainLists> FTainLists;

  bool monthChosen_ = false;              // a month button was pressed since the opening began
  std::optional<MedicationCheck> check_;  // of the patient shown
  QString checkedPatient_;                // that patient's "number　name"
  // Last: destroyed first, while what their roads use still stands.
  Job job_;
  Job monthJob_;
};
