#include "druginfo/patient_panes.h"

#include <QUrl>

#include "core/clock.h"
#include "core/error_message.h"
#include "core/timestamp.h"
#include "medcheck/check_indicator.h"
#include "orca/patient_number.h"
#include "ownhistory/self_history_load.h"
#include "ownhistory/self_month.h"
#include "savedpdf/pdf_buttons.h"
#include "savedpdf/tkk_month.h"
#include "tainhistory/institution_grid.h"
#include "tainhistory/yakureki_text.h"
#include "usecases/check_medication.h"
#include "usecases/find_patient.h"
#include "usecases/open_patient.h"
#include "usecases/prepare_patient.h"
#include "windowmodel/print_lines.h"

PatientPanes::PatientPanes(DrugInfoShared& window) : w_(window) {}

PatientPanes::~PatientPanes() = default;

void PatientPanes::open() {
  FTainLists = std::make_unique<TainLists>();
}

// Nothing that was asked for arrives after the window has closed.
void PatientPanes::close() {
  job_.cancel();
  monthJob_.cancel();
  clearMedicationCheck();
  ShowPreparedAge(QDateTime());
  FTainLists.reset();
}

void PatientPanes::InitSet() {
  FSelfMonth = CurrentSelfMonth();
  FTainMonth.clear();
  ClearInstitutionGrid();
  w_.controls.MemoSelf.lines.clear();
  w_.controls.MemoTain.lines.clear();
  clearMedicationCheck();
  ShowPreparedAge(QDateTime());
  UpdateSelfMonthLabel();
}

void PatientPanes::SearchByPatientID(const QString& patientId) {
  job_.start(searchRoad(patientId));
}

Job::Road PatientPanes::searchRoad(QString patientId) {
  job_.progress().set(QStringLiteral("患者検索"));
  NumberSearch found;
  // A patient of today's list prepared ahead is known: their number needs no request either.
  if (const PreparedPatient* prepared = w_.prepared.ready(NormalisePatientNumber(patientId))) {
    found.number = prepared->patientId;
    found.name = prepared->patientName;
  } else {
    NumberSearch asked = co_await FindPatientByNumber(w_.client, patientId);
    found = std::move(asked);
  }
  if (found.message) co_return found.message;
  emit patientFound(found.number, found.name);

  FPatientID = found.number;
  FPatientName = found.name;
  FBirthDate.clear();
  ShowPatientLabels();
  FSelfMonth.clear();
  FTainMonth.clear();
  std::optional<MedicationCheckInput> opened = co_await openSteps();

  const QStringList& months = FTainLists->monthList;
  if (!months.isEmpty()) {
    FTainMonth = months.last();
    w_.controls.LabelTainMonth.text = MonthLabelText(FTainMonth);
  }
  if (opened) co_await checkMedication(std::move(*opened));
  co_return std::nullopt;
}

void PatientPanes::openRow(const QString& patientId, const QString& patientName) {
  FPatientID = patientId;
  FPatientName = patientName;
  FBirthDate.clear();
  ShowPatientLabels();
  FSelfMonth.clear();
  OpenPatient();
}

void PatientPanes::ShowPatientLabels() {
  w_.controls.patientNumberLabel.text = FPatientID;
  w_.controls.patientNameLabel.text = FPatientName;
  w_.controls.LabelAge.text.clear();
}

void PatientPanes::OpenPatient() {
  job_.start(openRoad());
}

Job::Road PatientPanes::openRoad() {
  std::optional<MedicationCheckInput> opened = co_await openSteps();
  if (opened) co_await checkMedication(std::move(*opened));
  co_return std::nullopt;
}

// Both ways of opening a patient go through here: connection, other institutions and own history,
// marks, age; what was read is handed on to the medication check. The panes and the check's
// indicator are emptied before anything is asked, so that nothing of the patient opened before
// stands beside the new one's name; a month the user picks meanwhile replaces no pane of the new
// patient's but the own history. A patient prepared ahead is shown from memory; one being prepared
// is waited for, their preparation now going at the opening's pace.
Task<std::optional<MedicationCheckInput>> PatientPanes::openSteps() {
  w_.reloadConnection();
  monthJob_.cancel();
  monthChosen_ = false;
  clearMedicationCheck();
  ShowPreparedAge(QDateTime());
  if (!FPatientID.trimmed().isEmpty()) {
    ClearInstitutionGrid();
    w_.controls.MemoTain.lines.clear();
  }
  if (const PreparedPatient* prepared = w_.prepared.ready(FPatientID)) {
    ShowPreparedPatient(*prepared);
    ShowPreparedAge(prepared->preparedAt);
    emit panesShown();
    co_return std::nullopt;
  }
  if (w_.prepared.preparing(FPatientID)) {
    job_.progress().set(QStringLiteral("他院薬歴"));
    const std::optional<PreparedPatient> prepared = co_await w_.prepared.takeOver(FPatientID);
    if (prepared) {
      ShowPreparedPatient(*prepared);
      emit panesShown();
      if (prepared->checkError) std::rethrow_exception(prepared->checkError);
      co_return std::nullopt;
    }
  }
  TainLists lists = *FTainLists;
  const OpenedPatient opened = co_await LoadPatient(w_.client, FPatientID, FPatientName, FSelfMonth,
                                                    std::move(lists), &job_.progress());
  ShowOpenedPatient(opened);
  emit panesShown();
  w_.controls.LabelAge.text = opened.ageLabel;
  co_return CheckInputOf(FPatientID, opened);
}

// What the road shows at its end, from what was prepared: the panes, the age and the check.
void PatientPanes::ShowPreparedPatient(const PreparedPatient& prepared) {
  ShowOpenedPatient(prepared.opened);
  w_.controls.LabelAge.text = prepared.opened.ageLabel;
  job_.progress().clear();
  showCheck(prepared.check);
}

void PatientPanes::ShowPreparedAge(const QDateTime& preparedAt) {
  LabelModel& label = w_.controls.LabelPrepared;
  label.visible = preparedAt.isValid();
  if (!label.visible) {
    label.text.clear();
    return;
  }
  const qint64 minutes = std::max<qint64>(preparedAt.secsTo(Now()), 0) / 60;
  label.text =
      minutes < 1 ? QStringLiteral("準備済み（1分以内）") : QStringLiteral("準備済み（%1分前）").arg(minutes);
}

void PatientPanes::ShowOpenedPatient(const OpenedPatient& opened) {
  *FTainLists = opened.lists;
  FBirthDate = opened.drugs.birthDate;
  if (opened.overview) ShowTainOverview(*opened.overview);
  if (opened.self && !monthChosen_) {
    FSelfMonth = opened.self->month;
    w_.controls.LabelSelfMonth.text = opened.self->monthLabel;
    w_.controls.MemoSelf.lines = opened.self->memo;
  }
}

// Runs last in the patient's job, once its panes are shown, so that whatever replaces or ends the
// patient's job discards the check with it. The opening has read everything it needs; ORCA is
// asked once at most. A check that ends in an error says it could not be done before the error
// is reported, so that the indicator never stays on "running".
Task<void> PatientPanes::checkMedication(MedicationCheckInput input) {
  if (input.patientId.trimmed().isEmpty()) co_return;
  w_.controls.LabelMedCheck = RunningIndicator();
  job_.progress().clear();  // the indicator tells what runs now

  MedicationCheck check;
  std::exception_ptr error;
  try {
    MedicationCheck done = co_await CheckMedication(w_.client, std::move(input));
    check = std::move(done);
  } catch (const std::exception& e) {
    check.checkedOn = Today();
    check.failure = ErrorMessage(e);
    error = std::current_exception();
  }
  showCheck(check);
  if (error) std::rethrow_exception(error);
}

void PatientPanes::showCheck(const MedicationCheck& check) {
  check_ = check;
  checkedPatient_ = FPatientID + QStringLiteral("　") + FPatientName;
  w_.controls.LabelMedCheck = IndicatorOf(*check_);
}

void PatientPanes::clearMedicationCheck() {
  check_.reset();
  checkedPatient_.clear();
  w_.controls.LabelMedCheck = IdleIndicator();
}

void PatientPanes::LabelMedCheckClick() {
  if (!w_.controls.LabelMedCheck.opensFindings || !check_) return;
  w_.ui.ShowFindings(*check_, checkedPatient_);
}

void PatientPanes::ClearInstitutionGrid() {
  ResetInstitutionGrid(w_.controls.GridInstitution);
}

void PatientPanes::UpdateSelfMonthLabel() {
  w_.controls.LabelSelfMonth.text = SelfMonthLabelText(FSelfMonth);
}

// The other institutions' panes: the overview and one institution's detail, redrawn from what the
// last opening left in the lists.
void PatientPanes::DisplayTainYakureki() {
  ShowTainOverview(TainOverviewOf(*FTainLists, w_.connection.ownInstitutionCode,
                                  CheckUpFallbackOf(*FTainLists, FPatientID)));
}

void PatientPanes::ShowTainOverview(const TainOverview& overview) {
  w_.controls.BtnBack.visible = overview.btnBackVisible;
  w_.controls.LabelTainName.text = overview.labelTainName;
  w_.controls.GridInstitution = overview.grid;
  w_.controls.PanelTopGrid.height = overview.panelTopGridHeight;
  w_.controls.MemoTain.setText(overview.memoTain);
}

void PatientPanes::DisplayTainDetailYakureki() {
  const TainDetailView detail = TainDetailOf(FTainLists->prescriptions, FSelectedInst);
  w_.controls.BtnBack.visible = detail.btnBackVisible;
  w_.controls.LabelTainName.text = detail.labelTainName;
  w_.controls.LabelTainMonth.text = detail.labelTainMonth;
  w_.controls.MemoTain.setText(detail.memoTain);
}

void PatientPanes::GridInstitutionDblClick(int /*col*/, int row) {
  if (job_.running()) return;  // the lists still hold the patient opened before
  if (row < 1 || row >= w_.controls.GridInstitution.rowCount()) return;  // the header, or no row
  FSelectedInst = InstitutionAtRow(w_.controls.GridInstitution, row);
  if (!FSelectedInst.isEmpty()) DisplayTainDetailYakureki();
}

void PatientPanes::BtnBackClick() {
  if (job_.running()) return;  // the lists still hold the patient opened before
  DisplayTainYakureki();
}

// The month buttons of the clinic's own history: the month moves at once, its drugs follow.
void PatientPanes::BtnSelfPrevMonthClick() {
  FSelfMonth = PreviousSelfMonth(FSelfMonth);
  DisplaySelfYakureki();
}

void PatientPanes::BtnSelfNextMonthClick() {
  FSelfMonth = NextSelfMonth(FSelfMonth);
  DisplaySelfYakureki();
}

void PatientPanes::DisplaySelfYakureki() {
  monthChosen_ = true;
  monthJob_.start(monthRoad(FPatientID, FSelfMonth));
}

Job::Road PatientPanes::monthRoad(QString patientId, QString month) {
  monthJob_.progress().set(QStringLiteral("自院薬歴"));
  const SelfMonthShown shown = co_await LoadSelfMonth(w_.client, patientId, month);
  FSelfMonth = shown.month;
  w_.controls.LabelSelfMonth.text = shown.monthLabel;
  if (shown.memo) w_.controls.MemoSelf.lines = *shown.memo;
  co_return std::nullopt;
}

// The patient's saved PDFs: opened in the desktop's viewer, or a box says why not.
void PatientPanes::BtnPDFYClick() {
  CarryOutPdfButton(DrugPdfAction(FPatientID));
}

void PatientPanes::BtnPDFTClick() {
  CarryOutPdfButton(CheckUpPdfAction(FPatientID));
}

void PatientPanes::CarryOutPdfButton(const PdfButtonAction& action) {
  switch (action.kind) {
    case PdfButtonAction::Kind::Nothing:
      break;
    case PdfButtonAction::Kind::Open:
      w_.ui.OpenWithDefaultProgram(QUrl::fromLocalFile(action.file));
      break;
    case PdfButtonAction::Kind::Message:
      w_.ui.MessageBox(action.messageKind, action.message);
      break;
  }
}

// The other institutions' text handed to other programs: the clipboard and the default printer.
void PatientPanes::BtnCopyClick() {
  w_.ui.SetClipboardText(w_.controls.MemoTain.text());
}

void PatientPanes::BtnPrintClick() {
  PrintLines(w_.ui, w_.controls.MemoTain.lines);
}
