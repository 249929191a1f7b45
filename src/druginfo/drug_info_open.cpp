// Finding a patient by number or by name, and the fixed road that opens one.
#include "core/timestamp.h"
#include "druginfo/drug_info_logic.h"
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
  const bool marked = knownMarks(FCurrentDate).contains(found.number);
  FillPatientGrid(controls_.GridPatient, {{found.number, found.name, marked}});
  controls_.GridPatient.setRow(1);
  FPatientRow = 1;

  FPatientID = found.number;
  FPatientName = found.name;
  FBirthDate.clear();
  ShowPatientLabels();
  FSelfMonth.clear();
  FTainMonth.clear();
  MedicationCheckInput opened = co_await openSteps();

  const QStringList& months = FTainLists->monthList;
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
  const OpenedPatient opened = co_await LoadPatient(client_, FPatientID, FPatientName, FSelfMonth,
                                                    std::move(lists), std::move(progress));
  ShowOpenedPatient(opened);
  CheckTainPermission();
  controls_.LabelAge.text = opened.ageLabel;
  co_return CheckInputOf(FPatientID, opened);
}

void DrugInfoLogic::ShowOpenedPatient(const OpenedPatient& opened) {
  *FTainLists = opened.lists;
  FBirthDate = opened.drugs.birthDate;
  if (opened.overview) ShowTainOverview(*opened.overview);
  if (opened.self && !selfMonthChosen_) {
    FSelfMonth = opened.self->month;
    controls_.LabelSelfMonth.text = opened.self->monthLabel;
    controls_.MemoSelf.lines = opened.self->memo;
  }
}
