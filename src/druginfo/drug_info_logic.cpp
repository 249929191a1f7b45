#include "druginfo/drug_info_logic.h"

#include "core/clock.h"
#include "history/institution_grid.h"
#include "orca/response_reader.h"
#include "patients/acceptance_list.h"
#include "patients/online_marks.h"
#include "patients/patient_cache.h"
#include "selfhistory/self_month.h"

namespace {

const QString kNotConfigured = QStringLiteral("WebORCAの設定がされていません。設定してください。");
const QString kGridPatient = QStringLiteral("GridPatient");

}  // namespace

DrugInfoLogic::DrugInfoLogic(DrugInfoUi& ui) : ui_(ui) {}

DrugInfoLogic::~DrugInfoLogic() = default;

void DrugInfoLogic::FormShow() {
  CreateWorkingLists();
  InitSet();
}

void DrugInfoLogic::CreateWorkingLists() {
  FTainLists = std::make_unique<TainLists>();
}

void DrugInfoLogic::FormClose() {
  FTainLists.reset();
}

void DrugInfoLogic::InitSet() {
  ResetWindowState();
  if (connection_.configured()) LoadPatientList();
}

void DrugInfoLogic::ResetWindowState() {
  FCurrentDate = Today();
  FListMode = 0;
  UpdateListStateDisplay();
  FPatientRow = -1;
  FSelfMonth = Today().toString(QStringLiteral("yyyy-MM"));
  FTainMonth.clear();
  ClearPatientGrid();
  ClearInstitutionGrid();
  controls_.MemoSelf.lines.clear();
  controls_.MemoTain.lines.clear();
  UpdateDateLabel();
  UpdateSelfMonthLabel();
  GetWebORCAInfo();
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
    ui_.MessageBox(MessageKind::Warning, kNotConfigured);
    return;
  }
  BusyCursor busy(ui_);
  const QString dumpFile = client_.ORCAPost(kAcceptanceListApiPath, AcceptanceListBody(FCurrentDate));
  if (dumpFile.isEmpty()) return;
  ParseAcceptanceList(dumpFile);
  CheckTainPermission();
}

bool DrugInfoLogic::ParseAcceptanceList(const QString& fileName) {
  const std::optional<QStringList> lines = ReadResponseLines(fileName);
  if (!lines) return false;
  ClearPatientGrid();
  rowCounter_ = 0;
  PatientCacheSession cache;
  for (const Reception& reception : ReadReceptions(*lines)) FlushOneRecord(reception, cache);
  cache.save();
  if (rowCounter_ > 0) controls_.GridPatient.setRowCount(rowCounter_ + 1);
  return true;
}

void DrugInfoLogic::FlushOneRecord(const Reception& reception, PatientCacheSession& cache) {
  // Every received patient feeds the cache, also those the list mode hides.
  cache.add(reception.patientId, reception.name);
  if (!ListedInMode(reception, FListMode)) return;
  StringGrid& grid = controls_.GridPatient;
  ++rowCounter_;
  if (rowCounter_ >= grid.rowCount()) grid.setRowCount(rowCounter_ + 1);
  grid.setCell(0, rowCounter_, QString::number(rowCounter_));
  grid.setCell(1, rowCounter_, reception.patientId);
  grid.setCell(2, rowCounter_, reception.name);
  grid.setCell(3, rowCounter_, QString());
}

void DrugInfoLogic::ClearPatientGrid() {
  PaintingSuspended suspended(ui_, kGridPatient);
  StringGrid& grid = controls_.GridPatient;
  grid.setColCount(4);
  grid.setRowCount(2);
  grid.clearRow(1);
  // The rows now hold other patients: a remembered row index would open whoever stands there now,
  // and a highlight left on row 1 would look selected without being so. Whoever reselects a
  // patient afterwards (a refresh, the mode button, a search by number) sets both again.
  grid.clearCurrentRow();
  FPatientRow = -1;
  const QStringList headers{QString(), QStringLiteral("カルテ番号"), QStringLiteral("患者氏名"),
                            QStringLiteral("マイナ")};
  const int widths[] = {30, 80, 100, 45};
  for (int col = 0; col < 4; ++col) {
    grid.setCell(col, 0, headers.at(col));
    grid.setColWidth(col, widths[col]);
  }
  grid.fixedRows = 1;
  grid.fixedCols = 0;
  grid.defaultRowHeight = 20;
  grid.rowSelect = true;
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

void DrugInfoLogic::UpdateListStateDisplay() {
  if (FListMode == 0) {
    controls_.LabelListState.text = QStringLiteral("全て");
    controls_.BtnKaikeiMi.caption = QStringLiteral("受付中");
  } else if (FListMode == 1) {
    controls_.LabelListState.text = QStringLiteral("受付中");
    controls_.BtnKaikeiMi.caption = QStringLiteral("全て");
  }
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
  StringGrid& grid = controls_.GridPatient;
  for (int row = 1; row < grid.rowCount(); ++row) {
    if (grid.cell(1, row) == *number) {
      grid.setRow(row);
      FPatientRow = row;
      return;
    }
  }
}

void DrugInfoLogic::BtnKaikeiMiClick() {
  controls_.EditSearch.text.clear();
  FListMode = 1 - FListMode;
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
  StringGrid& grid = controls_.GridPatient;
  for (int row = 1; row < grid.rowCount(); ++row) {
    const QString patientId = TrimBlanksAndControls(grid.cell(1, row));
    if (patientId.isEmpty()) continue;
    if (HasOnlineInformation(client_, patientId, connection_.FSelfInstCd)) {
      grid.setCell(3, row, kOnlineInformationMark);
    }
  }
}
