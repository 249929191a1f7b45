// Finding a patient by number or by name, and the fixed road that opens one.
#include "async/run_blocking.h"
#include "core/timestamp.h"
#include "druginfo/drug_info_logic.h"
#include "orca/response_reader.h"
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
  NumberSearch found;
  {
    BusyCursor busy(ui_);
    found = RunBlocking(FindPatientByNumber(client_, patientId));
  }
  if (found.message) {
    ui_.MessageBox(found.message->kind, found.message->text);
    return;
  }

  ClearPatientGrid();
  FillPatientGrid(controls_.GridPatient, {{patientId, found.name, false}});
  controls_.GridPatient.setRow(1);
  FPatientRow = 1;

  FPatientID = patientId;
  FPatientName = found.name;
  FBirthDate.clear();
  ShowPatientLabels();
  FSelfMonth.clear();
  FTainMonth.clear();
  OpenPatient();

  const QStringList& months = FTainLists->FMonthList;
  if (!months.isEmpty()) {
    FTainMonth = months.last();
    controls_.LabelTainMonth.text = MonthLabelText(FTainMonth);
  }
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
  for (const CachedPatient& hit : found.hits) hits.append({hit.key, hit.name, false});
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

// Both ways of opening a patient end here: connection, other institutions, own history, marks,
// age, each finishing before the next starts. The panes are emptied before anything is asked, so
// that nothing of the patient opened before stands beside the new one's name.
void DrugInfoLogic::OpenPatient() {
  BusyCursor busy(ui_);
  GetWebORCAInfo();
  if (!FPatientID.trimmed().isEmpty()) {
    ClearInstitutionGrid();
    controls_.MemoTain.lines.clear();
  }
  const OpenedPatient opened =
      RunBlocking(::OpenPatient(client_, FPatientID, FPatientName, FSelfMonth, *FTainLists));
  ShowOpenedPatient(opened);
  CheckTainPermission();
  controls_.LabelAge.text = opened.ageLabel;
}

void DrugInfoLogic::ShowOpenedPatient(const OpenedPatient& opened) {
  *FTainLists = opened.lists;
  FBirthDate = opened.drugs.FBirthDate;
  if (opened.overview) ShowTainOverview(*opened.overview);
  if (opened.self) {
    FSelfMonth = opened.self->month;
    controls_.LabelSelfMonth.text = opened.self->monthLabel;
    controls_.MemoSelf.lines = opened.self->memo;
  }
}
