#include "druginfo/drug_info_logic.h"

#include "async/run_blocking.h"
#include "core/clock.h"
#include "history/institution_grid.h"
#include "selfhistory/self_month.h"
#include "usecases/list_day.h"
#include "usecases/open_patient.h"
#include "usecases/patient_grid.h"
#include "usecases/user_messages.h"

namespace {

const QString kGridPatient = QStringLiteral("GridPatient");

}  // namespace

DrugInfoLogic::DrugInfoLogic(DrugInfoUi& ui) : ui_(ui) {}

DrugInfoLogic::~DrugInfoLogic() = default;

void DrugInfoLogic::FormShow() {
  FTainLists = std::make_unique<TainLists>();
  InitSet();
}

void DrugInfoLogic::FormClose() {
  FTainLists.reset();
}

void DrugInfoLogic::InitSet() {
  FCurrentDate = Today();
  FListMode = ListMode::All;
  UpdateListStateDisplay();
  FPatientRow = -1;
  FSelfMonth = CurrentSelfMonth();
  FTainMonth.clear();
  ClearPatientGrid();
  ClearInstitutionGrid();
  controls_.MemoSelf.lines.clear();
  controls_.MemoTain.lines.clear();
  UpdateDateLabel();
  UpdateSelfMonthLabel();
  GetWebORCAInfo();
  if (connection_.configured()) LoadPatientList();
}

void DrugInfoLogic::GetWebORCAInfo() {
  connection_ = ::GetWebORCAInfo();
  client_.setConnection(connection_);
  controls_.TimerRefresh.intervalMs = connection_.refreshMs;
}

void DrugInfoLogic::MenuWebORCAClick() {
  ui_.OpenSettingsWindow();
  GetWebORCAInfo();
}

void DrugInfoLogic::LoadPatientList() {
  if (!connection_.configured()) {
    ui_.MessageBox(MessageKind::Warning, kNotConfiguredText);
    return;
  }
  BusyCursor busy(ui_);
  const std::optional<DayList> list = RunBlocking(ListDay(client_, FCurrentDate, FListMode));
  if (!list) return;  // no answer: the list stays as it is
  ClearPatientGrid();
  FillPatientGrid(controls_.GridPatient, list->patients);
  if (list->cacheError) std::rethrow_exception(list->cacheError);
}

void DrugInfoLogic::ClearPatientGrid() {
  PaintingSuspended suspended(ui_, kGridPatient);
  ::ClearPatientGrid(controls_.GridPatient);
  // The rows now hold other patients: a remembered row index would open whoever stands there now,
  // and a highlight left on row 1 would look selected without being so. Whoever reselects a
  // patient afterwards (a refresh, the mode button, a search by number) sets both again.
  controls_.GridPatient.clearCurrentRow();
  FPatientRow = -1;
}

void DrugInfoLogic::ClearInstitutionGrid() {
  ::ClearInstitutionGrid(controls_.GridInstitution);
}

void DrugInfoLogic::UpdateDateLabel() {
  controls_.LabelDate.text = QStringLiteral("%1年%2月%3日")
                                 .arg(FCurrentDate.year(), 4, 10, QLatin1Char('0'))
                                 .arg(FCurrentDate.month(), 2, 10, QLatin1Char('0'))
                                 .arg(FCurrentDate.day(), 2, 10, QLatin1Char('0'));
}

// The label names the mode in force, the button the mode a click switches to.
void DrugInfoLogic::UpdateListStateDisplay() {
  const bool all = FListMode == ListMode::All;
  controls_.LabelListState.text = all ? QStringLiteral("全て") : QStringLiteral("受付中");
  controls_.BtnKaikeiMi.caption = all ? QStringLiteral("受付中") : QStringLiteral("全て");
}

void DrugInfoLogic::UpdateSelfMonthLabel() {
  controls_.LabelSelfMonth.text = ::UpdateSelfMonthLabel(FSelfMonth);
}

void DrugInfoLogic::ChangeDay(const QDate& day) {
  controls_.EditSearch.text.clear();
  FCurrentDate = day;
  UpdateDateLabel();
  LoadPatientList();
}

void DrugInfoLogic::BtnPrevDayClick() {
  ChangeDay(FCurrentDate.addDays(-1));
}

void DrugInfoLogic::BtnNextDayClick() {
  ChangeDay(FCurrentDate.addDays(1));
}

void DrugInfoLogic::BtnTodayClick() {
  ChangeDay(Today());
}

std::optional<QString> DrugInfoLogic::SelectedPatientNumber() const {
  const StringGrid& grid = controls_.GridPatient;
  if (FPatientRow >= 1 && FPatientRow < grid.rowCount()) return grid.cell(1, FPatientRow);
  return std::nullopt;
}

void DrugInfoLogic::ReselectPatient(const std::optional<QString>& number) {
  if (!number) return;
  const QStringList numbers = PatientNumbersOf(controls_.GridPatient);
  const qsizetype at = numbers.indexOf(*number);
  if (at < 0) return;
  FPatientRow = static_cast<int>(at) + 1;
  controls_.GridPatient.setRow(FPatientRow);
}

void DrugInfoLogic::BtnKaikeiMiClick() {
  controls_.EditSearch.text.clear();
  FListMode = FListMode == ListMode::All ? ListMode::InProgress : ListMode::All;
  UpdateListStateDisplay();
  const std::optional<QString> selected = SelectedPatientNumber();
  LoadPatientList();
  ReselectPatient(selected);
}

void DrugInfoLogic::TimerRefreshTimer() {
  if (!connection_.configured()) return;
  if (FCurrentDate != Today()) return;
  const std::optional<QString> selected = SelectedPatientNumber();
  PaintingSuspended suspended(ui_, kGridPatient);
  LoadPatientList();
  ReselectPatient(selected);
}

void DrugInfoLogic::GridPatientSelectCell(int /*col*/, int row) {
  FPatientRow = row;
}

void DrugInfoLogic::CheckTainPermission() {
  BusyCursor busy(ui_);
  const QList<bool> marked = RunBlocking(ProbeMarks(client_, PatientNumbersOf(controls_.GridPatient)));
  MarkPatientRows(controls_.GridPatient, marked);
}
