// The other institutions' panes (overview and one institution's detail) and the month buttons of
// the clinic's own history: redrawn from what a load left in memory, or reloaded month by month.
#include "druginfo/drug_info_logic.h"
#include "orca/response_reader.h"
#include "ownhistory/self_history_load.h"
#include "ownhistory/self_month.h"
#include "savedpdf/tkk_month.h"
#include "tainhistory/institution_grid.h"
#include "tainhistory/yakureki_text.h"

void DrugInfoLogic::DisplayTainYakureki() {
  ShowTainOverview(TainOverviewOf(*FTainLists, connection_.ownInstitutionCode,
                                  [this] { return CheckUpPdfMonthOf(FPatientID); }));
}

void DrugInfoLogic::ShowTainOverview(const TainOverview& overview) {
  controls_.BtnBack.visible = overview.btnBackVisible;
  controls_.LabelTainName.text = overview.labelTainName;

  controls_.GridInstitution = overview.grid;
  controls_.PanelTopGrid.height = overview.panelTopGridHeight;

  controls_.MemoTain.setText(overview.memoTain);
}

void DrugInfoLogic::DisplayTainDetailYakureki() {
  const TainDetailView detail = TainDetailOf(FTainLists->prescriptions, FSelectedInst);
  controls_.BtnBack.visible = detail.btnBackVisible;
  controls_.LabelTainName.text = detail.labelTainName;
  controls_.LabelTainMonth.text = detail.labelTainMonth;
  controls_.MemoTain.setText(detail.memoTain);
}

void DrugInfoLogic::GridInstitutionDblClick(int /*col*/, int row) {
  if (patientJob_.running()) return;  // the lists still hold the patient opened before
  if (row < 1 || row >= controls_.GridInstitution.rowCount()) return;  // the header, or no row
  FSelectedInst = InstitutionAtRow(controls_.GridInstitution, row);
  if (!FSelectedInst.isEmpty()) DisplayTainDetailYakureki();
}

void DrugInfoLogic::BtnBackClick() {
  if (patientJob_.running()) return;  // the lists still hold the patient opened before
  DisplayTainYakureki();
}

void DrugInfoLogic::BtnSelfPrevMonthClick() {
  FSelfMonth = PreviousSelfMonth(FSelfMonth);
  DisplaySelfYakureki();
}

void DrugInfoLogic::BtnSelfNextMonthClick() {
  FSelfMonth = NextSelfMonth(FSelfMonth);
  DisplaySelfYakureki();
}

void DrugInfoLogic::DisplaySelfYakureki() {
  selfMonthChosen_ = true;
  selfJob_.start(selfMonthRoad(FPatientID, FSelfMonth));
  showWork();
}

Job::Road DrugInfoLogic::selfMonthRoad(QString patientId, QString month) {
  setProgress(&selfProgress_, QStringLiteral("自院薬歴"));
  const SelfMonthShown shown = co_await LoadSelfMonth(client_, patientId, month);
  FSelfMonth = shown.month;
  controls_.LabelSelfMonth.text = shown.monthLabel;
  if (shown.memo) controls_.MemoSelf.lines = *shown.memo;
  co_return std::nullopt;
}
