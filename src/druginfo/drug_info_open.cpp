// Finding a patient by number or by name, the fixed road that opens one and the medication check
// that follows.
#include "core/clock.h"
#include "core/error_message.h"
#include "core/timestamp.h"
#include "druginfo/drug_info_logic.h"
#include "medcheck/check_indicator.h"
#include "orca/response_reader.h"
#include "usecases/check_medication.h"
#include "usecases/find_patient.h"
#include "usecases/open_patient.h"
#include "usecases/patient_grid.h"

void DrugInfoLogic::BtnSearchClick() {
  const QString text = TrimBlanksAndControls(controls_.EditSearch.text);
  if (text.isEmpty()) return;
  switch (static_cast<SearchKind>(controls_.ComboBoxSearch.itemIndex)) {
    case SearchKind::PatientNumber:
      SearchByPatientID(text);
      break;
    case SearchKind::Name:
      SearchByName(text);
      break;
  }
}

bool DrugInfoLogic::EditSearchKeyPress(QChar key) {
  if (key != QChar(13)) return false;
  BtnSearchClick();
  return true;
}

void DrugInfoLogic::ComboBoxSearchChange() {
  controls_.EditSearch.text.clear();
  const bool names = controls_.ComboBoxSearch.itemIndex == static_cast<int>(SearchKind::Name);
  controls_.EditSearch.imeMode = names ? ImeMode::Hiragana : ImeMode::Closed;
  ui_.SetFocus(QStringLiteral("EditSearch"));
}

void DrugInfoLogic::SearchByPatientID(const QString& patientId) {
  patientJob_.start(searchRoad(patientId));
  showWork();
}

// The patient found replaces the list, so a load of the list still in flight goes.
Job::Road DrugInfoLogic::searchRoad(QString patientId) {
  setProgress(&patientProgress_, QStringLiteral("患者検索"));
  const NumberSearch found = co_await FindPatientByNumber(client_, patientId);
  if (found.message) co_return found.message;

  listJob_.cancel();
  listAgain_ = false;  // and with it a reload a pushed change had asked for
  listProgress_.clear();
  ClearPatientGrid();
  const bool marked = knownMarks(FCurrentDate).contains(TrimBlanksAndControls(patientId));
  FillPatientGrid(controls_.GridPatient, {{patientId, found.name, marked}});
  controls_.GridPatient.setRow(1);
  FPatientRow = 1;

  FPatientID = patientId;
  FPatientName = found.name;
  FBirthDate.clear();
  ShowPatientLabels();
  FSelfMonth.clear();
  FTainMonth.clear();
  MedicationCheckInput opened = co_await openSteps();

  const QStringList& months = FTainLists->FMonthList;
  if (!months.isEmpty()) {
    FTainMonth = months.last();
    controls_.LabelTainMonth.text = MonthLabelText(FTainMonth);
  }
  co_await checkMedication(std::move(opened));
  co_return std::nullopt;
}

void DrugInfoLogic::SearchByName(const QString& text) {
  const NameSearch found = FindPatientsByName(text);
  if (found.message) {
    ui_.MessageBox(found.message->kind, found.message->text);
    return;
  }
  if (found.hits.size() == 1) {
    SearchByPatientID(found.hits.first().key);
    return;
  }
  QList<ListedPatient> hits;
  const QSet<QString> known = knownMarks(FCurrentDate);
  for (const CachedPatient& hit : found.hits)
    hits.append({hit.key, hit.name, known.contains(TrimBlanksAndControls(hit.key))});
  listJob_.cancel();  // the hits replace the list, and a reload a pushed change had asked for goes
  listAgain_ = false;
  listProgress_.clear();
  ClearPatientGrid();
  FillPatientGrid(controls_.GridPatient, hits);
  CheckTainPermission();
}

void DrugInfoLogic::GridPatientDblClick() {
  if (FPatientRow < 1) return;
  const StringGrid& grid = controls_.GridPatient;
  FPatientID = grid.cell(1, FPatientRow);
  FPatientName = grid.cell(2, FPatientRow);
  FBirthDate.clear();
  ShowPatientLabels();
  FSelfMonth.clear();
  OpenPatient();
}

void DrugInfoLogic::ShowPatientLabels() {
  controls_.patientNumberLabel.text = FPatientID;
  controls_.patientNameLabel.text = FPatientName;
  controls_.LabelAge.text.clear();
}

void DrugInfoLogic::OpenPatient() {
  patientJob_.start(openRoad());
  showWork();
}

Job::Road DrugInfoLogic::openRoad() {
  MedicationCheckInput opened = co_await openSteps();
  co_await checkMedication(std::move(opened));
  co_return std::nullopt;
}

// Both ways of opening a patient go through here: connection, other institutions and own history,
// marks, age; what was read is handed on to the medication check. The panes and the check's
// indicator are emptied before anything is asked, so that nothing of the patient opened before
// stands beside the new one's name; a month the user picks meanwhile replaces no pane of the new
// patient's but the own history.
Task<MedicationCheckInput> DrugInfoLogic::openSteps() {
  GetWebORCAInfo();
  selfJob_.cancel();
  selfProgress_.clear();
  selfMonthChosen_ = false;
  clearMedicationCheck();
  if (!FPatientID.trimmed().isEmpty()) {
    ClearInstitutionGrid();
    controls_.MemoTain.lines.clear();
  }
  setProgress(&patientProgress_, QStringLiteral("他院薬歴"));
  ProgressReport progress = [this](int done, int total) {
    setProgress(&patientProgress_, done < total ? QStringLiteral("他院薬歴 %1/%2").arg(done).arg(total)
                                                : QStringLiteral("自院薬歴"));
  };
  TainLists lists = *FTainLists;
  const OpenedPatient opened = co_await ::OpenPatient(client_, FPatientID, FPatientName, FSelfMonth,
                                                      std::move(lists), std::move(progress));
  ShowOpenedPatient(opened);
  CheckTainPermission();
  controls_.LabelAge.text = opened.ageLabel;
  co_return CheckInputOf(FPatientID, opened);
}

// Runs last in the patient's job, once its panes are shown, so that whatever replaces or ends the
// patient's job discards the check with it. The opening has read everything it needs; ORCA is
// asked once at most. A check that ends in an error says it could not be done before the error
// is reported, so that the indicator never stays on "running".
Task<void> DrugInfoLogic::checkMedication(MedicationCheckInput input) {
  if (input.patientId.trimmed().isEmpty()) co_return;
  const QString patient = FPatientID + QStringLiteral("　") + FPatientName;
  controls_.LabelMedCheck = RunningIndicator();
  setProgress(&patientProgress_, QString());  // the indicator tells what runs now

  MedicationCheck check;
  std::exception_ptr error;
  try {
    MedicationCheck done = co_await CheckMedication(client_, std::move(input));
    check = std::move(done);
  } catch (const std::exception& e) {
    check.checkedOn = Today();
    check.failure = ErrorMessage(e);
    error = std::current_exception();
  }
  check_ = std::move(check);
  checkedPatient_ = patient;
  controls_.LabelMedCheck = IndicatorOf(*check_);
  if (error) std::rethrow_exception(error);
}

void DrugInfoLogic::clearMedicationCheck() {
  check_.reset();
  checkedPatient_.clear();
  controls_.LabelMedCheck = IdleIndicator();
}

void DrugInfoLogic::LabelMedCheckClick() {
  if (!controls_.LabelMedCheck.opensFindings || !check_) return;
  ui_.ShowFindings(*check_, checkedPatient_);
}

void DrugInfoLogic::ShowOpenedPatient(const OpenedPatient& opened) {
  *FTainLists = opened.lists;
  FBirthDate = opened.drugs.FBirthDate;
  if (opened.overview) ShowTainOverview(*opened.overview);
  if (opened.self && !selfMonthChosen_) {
    FSelfMonth = opened.self->month;
    controls_.LabelSelfMonth.text = opened.self->monthLabel;
    controls_.MemoSelf.lines = opened.self->memo;
  }
}
