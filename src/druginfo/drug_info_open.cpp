// Finding a patient by number or by name, and the fixed road that opens one.
#include <QFile>

#include "core/clock.h"
#include "core/timestamp.h"
#include "druginfo/drug_info_logic.h"
#include "history/load_drug_info.h"
#include "orca/response_reader.h"
#include "patients/patient_cache.h"
#include "patients/patient_search.h"
#include "selfhistory/age.h"
#include "selfhistory/self_history_load.h"

namespace {

const QString kNotConfigured = QStringLiteral("WebORCAの設定がされていません。設定してください。");
const QString kNoPatientAnswer = QStringLiteral("患者情報を取得できませんでした。");
const QString kPatientNotFound = QStringLiteral("該当する患者が見つかりませんでした。");
const QString kNoCache =
    QStringLiteral("患者キャッシュがありません。\r\n受付一覧を読み込むと自動的に蓄積されます。");

}  // namespace

void DrugInfoLogic::BtnSearchClick() {
  const QString text = TrimBlanksAndControls(controls_.EditSearch.text);
  if (text.isEmpty()) return;
  if (controls_.ComboBoxSearch.itemIndex == 0) {
    SearchByPatientID(text);
  } else if (controls_.ComboBoxSearch.itemIndex == 1) {
    SearchByName(text);
  }
}

bool DrugInfoLogic::EditSearchKeyPress(QChar key) {
  if (key != QChar(13)) return false;
  BtnSearchClick();
  return true;
}

void DrugInfoLogic::ComboBoxSearchChange() {
  controls_.EditSearch.text.clear();
  controls_.EditSearch.imeMode =
      controls_.ComboBoxSearch.itemIndex == 1 ? ImeMode::Hiragana : ImeMode::Closed;
  ui_.SetFocus(QStringLiteral("EditSearch"));
}

void DrugInfoLogic::SearchByPatientID(const QString& patientId) {
  if (!connection_.configured()) {
    ui_.MessageBox(MessageKind::Warning, kNotConfigured);
    return;
  }
  BusyCursor busy(ui_);
  const QString answer = client_.ORCAPost(PatientGetApiPath(patientId), QString());
  if (answer.isEmpty()) {
    ui_.MessageBox(MessageKind::Warning, kNoPatientAnswer);
    return;
  }
  const QString name = PatientWholeName(ReadResponseLines(answer).value_or(QStringList()));
  if (name.isEmpty()) {
    ui_.MessageBox(MessageKind::Information, kPatientNotFound);
    return;
  }

  ClearPatientGrid();
  StringGrid& grid = controls_.GridPatient;
  grid.setRowCount(2);
  grid.setCell(0, 1, QStringLiteral("1"));
  grid.setCell(1, 1, patientId);
  grid.setCell(2, 1, name);
  grid.setCell(3, 1, QString());
  grid.setRow(1);
  FPatientRow = 1;

  FPatientID = patientId;
  FPatientName = name;
  FBirthDate.clear();
  SavePatientCache(FPatientID, FPatientName);
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
  const QString cacheFile = GetCacheFilePath();
  if (!QFile::exists(cacheFile)) {
    ui_.MessageBox(MessageKind::Information, kNoCache);
    return;
  }
  const QList<CachedPatient> hits = FindCachedPatients(ReadCacheLines(cacheFile), text);
  if (hits.isEmpty()) {
    ui_.MessageBox(MessageKind::Information, kPatientNotFound);
    return;
  }
  if (hits.size() == 1) {
    SearchByPatientID(hits.first().key);
    return;
  }
  ClearPatientGrid();
  StringGrid& grid = controls_.GridPatient;
  grid.setRowCount(static_cast<int>(hits.size()) + 1);
  for (int i = 1; i <= hits.size(); ++i) {
    grid.setCell(0, i, QString::number(i));
    grid.setCell(1, i, hits.at(i - 1).key);
    grid.setCell(2, i, hits.at(i - 1).name);
    grid.setCell(3, i, QString());
  }
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
  controls_.Label1.text = FPatientID;
  controls_.Label2.text = FPatientName;
  controls_.LabelAge.text.clear();
}

// Both ways of opening a patient end here: connection, other institutions, own history, marks,
// age, each finishing before the next starts.
void DrugInfoLogic::OpenPatient() {
  BusyCursor busy(ui_);
  GetWebORCAInfo();

  DrugInfoLoadHooks hooks;
  hooks.clearPanes = [this] {
    ClearInstitutionGrid();
    controls_.MemoTain.lines.clear();
  };
  hooks.mergeSavedDrugPdf = [this](TainLists& lists) { MergeSavedDrugPdf(lists); };
  const DrugInfoLoad load = LoadDrugInfo(client_, FPatientID, connection_.FSelfInstCd, *FTainLists, hooks);
  FBirthDate = load.FBirthDate;
  if (load.phase1Answered) DisplayTainYakureki();

  if (const std::optional<SelfYakureki> self = LoadSelfDrugInfo(client_, FPatientID, FSelfMonth)) {
    FSelfMonth = self->month;
    controls_.LabelSelfMonth.text = self->monthLabel;
    controls_.MemoSelf.lines = self->memo;
  }

  CheckTainPermission();
  controls_.LabelAge.text = AgeLabelText(FBirthDate, Today());
}
