#include "druginfo/drug_info_logic.h"

#include <utility>

#include "core/clock.h"
#include "orca/response_reader.h"
#include "ownhistory/self_month.h"
#include "tainhistory/institution_grid.h"
#include "usecases/list_day.h"
#include "usecases/open_patient.h"
#include "usecases/patient_grid.h"
#include "usecases/user_messages.h"

namespace {

const QString kGridPatient = QStringLiteral("GridPatient");

}  // namespace

DrugInfoLogic::DrugInfoLogic(DrugInfoUi& ui)
    : ui_(ui),
      live_([this] { PushReload(); }),
      listJob_([this](const auto& message, auto error) {
        jobEnded(&listProgress_, message, error);
        if (std::exchange(listAgain_, false)) PushReload();
      }),
      patientJob_([this](const auto& message, auto error) { jobEnded(&patientProgress_, message, error); }),
      selfJob_([this](const auto& message, auto error) { jobEnded(&selfProgress_, message, error); }) {
  live_.attach(push_);
  // An ORCA without WebORCA, found by the first request, has its pusher on a port of its own.
  QObject::connect(&client_, &OrcaClient::classicFormFound, &live_, [this] {
    if (open_) StartPush();
  });
  QObject::connect(&live_, &LiveReload::indicatorChanged, &live_, [this] {
    ShowPushIndicator();
    ui_.ModelsChanged();
  });
  ShowPushIndicator();
}

DrugInfoLogic::~DrugInfoLogic() = default;

void DrugInfoLogic::FormShow() {
  FTainLists = std::make_unique<TainLists>();
  open_ = true;
  InitSet();
  StartPush();
}

// Nothing that was asked for arrives after the window has closed, and the push socket closes with it.
void DrugInfoLogic::FormClose() {
  open_ = false;
  push_.stop();
  live_.setDayShown(QDate());
  listAgain_ = false;
  listJob_.cancel();
  patientJob_.cancel();
  selfJob_.cancel();
  listProgress_.clear();
  patientProgress_.clear();
  selfProgress_.clear();
  clearMedicationCheck();
  showWork();
  FTainLists.reset();
}

void DrugInfoLogic::InitSet() {
  FCurrentDate = Today();
  live_.setDayShown(FCurrentDate);
  FListMode = ListMode::All;
  UpdateListStateDisplay();
  FPatientRow = -1;
  FSelfMonth = CurrentSelfMonth();
  FTainMonth.clear();
  ClearPatientGrid();
  ClearInstitutionGrid();
  controls_.MemoSelf.lines.clear();
  controls_.MemoTain.lines.clear();
  clearMedicationCheck();
  UpdateDateLabel();
  UpdateSelfMonthLabel();
  GetWebORCAInfo();
  if (connection_.configured()) LoadPatientList();
}

void DrugInfoLogic::GetWebORCAInfo() {
  connection_ = ReadConnection();
  client_.setConnection(connection_);
  controls_.TimerRefresh.intervalMs = connection_.refreshMs;
}

// The settings may have changed the server, the user or the key: the push link follows them.
void DrugInfoLogic::MenuWebORCAClick() {
  ui_.OpenSettingsWindow();
  GetWebORCAInfo();
  if (open_) StartPush();
}

void DrugInfoLogic::LoadPatientList() {
  loadList(ListLoad::Plain);
}

void DrugInfoLogic::loadList(ListLoad load) {
  if (!connection_.configured()) {
    ui_.MessageBox(MessageKind::Warning, kNotConfiguredText);
    return;
  }
  startListLoad(load);
}

// Every load of the list reads it anew, so a reload owed to a pushed change is made by it.
void DrugInfoLogic::startListLoad(ListLoad load) {
  listAgain_ = false;
  listJob_.start(listRoad(FCurrentDate, FListMode, load));
  showWork();
}

// The list is shown as soon as it arrives, with the marks already known; the other patients are
// probed afterwards and marked as their probes end. A list that did not arrive leaves the one on
// screen as it is.
Job::Road DrugInfoLogic::listRoad(QDate day, ListMode mode, ListLoad load) {
  setProgress(&listProgress_, QStringLiteral("受付一覧"));
  std::optional<DayList> list = co_await FetchDayList(client_, day, mode);
  if (!list) co_return std::nullopt;
  {
    std::optional<PaintingSuspended> suspended;
    if (load == ListLoad::Refresh) suspended.emplace(ui_, kGridPatient);
    // The selection follows the patient, wherever the user had moved it while the list loaded.
    const std::optional<QString> selected = load == ListLoad::Plain ? std::nullopt : SelectedPatientNumber();
    ClearPatientGrid();
    if (!list->cacheError) {
      const QSet<QString> known = knownMarks(day);
      for (ListedPatient& patient : list->patients)
        patient.marked = known.contains(TrimBlanksAndControls(patient.number));
    }
    FillPatientGrid(controls_.GridPatient, list->patients);
    ReselectPatient(selected);
  }
  ui_.ModelsChanged();
  if (list->cacheError) std::rethrow_exception(list->cacheError);  // the list stands, unmarked
  co_await markRows(day);
  co_return std::nullopt;
}

Job::Road DrugInfoLogic::marksRoad() {
  co_await markRows(FCurrentDate);
  co_return std::nullopt;
}

// Probes the rows not known to be marked on `day`, side by side, and marks each as it is decided.
Task<void> DrugInfoLogic::markRows(QDate day) {
  const QStringList numbers = PatientNumbersOf(controls_.GridPatient);
  const QSet<QString> known = knownMarks(day);
  QList<bool> probed;
  for (const QString& number : numbers) probed << NeedsProbe(number, known);
  const auto total = static_cast<int>(probed.count(true));
  int done = 0;
  if (total > 0) setProgress(&listProgress_, QStringLiteral("マイナ 0/%1").arg(total));
  MarkDecided decided = [&](qsizetype index, bool marked) {
    if (marked) {
      markedOn_[day].insert(TrimBlanksAndControls(numbers.at(index)));
      MarkPatientRow(controls_.GridPatient, static_cast<int>(index) + 1);
    }
    if (probed.at(index)) setProgress(&listProgress_, QStringLiteral("マイナ %1/%2").arg(++done).arg(total));
    ui_.ModelsChanged();
  };
  co_await ProbeMarks(client_, numbers, known, std::move(decided));
}

void DrugInfoLogic::jobEnded(QString* progress, const std::optional<UserMessage>& message,
                             std::exception_ptr error) {
  progress->clear();
  showWork();
  ui_.RunJobEnd([this, message, error] {
    if (error) std::rethrow_exception(error);
    if (message) ui_.MessageBox(message->kind, message->text);
  });
}

void DrugInfoLogic::setProgress(QString* progress, const QString& text) {
  *progress = text;
  showWork();
  ui_.ModelsChanged();
}

void DrugInfoLogic::showWork() {
  QStringList parts;
  for (const QString* part : {&listProgress_, &patientProgress_, &selfProgress_}) {
    if (!part->isEmpty()) parts << *part;
  }
  controls_.workLabel.text = parts.join(QStringLiteral("　"));
  controls_.workLabel.visible = !parts.isEmpty();
  controls_.working = listJob_.running() || patientJob_.running() || selfJob_.running();
}

void DrugInfoLogic::ClearPatientGrid() {
  PaintingSuspended suspended(ui_, kGridPatient);
  ResetPatientGrid(controls_.GridPatient);
  // The rows now hold other patients: a remembered row index would open whoever stands there now,
  // and a highlight left on row 1 would look selected without being so. Whoever reselects a
  // patient afterwards (a refresh, the mode button, a search by number) sets both again.
  controls_.GridPatient.clearCurrentRow();
  FPatientRow = -1;
}

void DrugInfoLogic::ClearInstitutionGrid() {
  ResetInstitutionGrid(controls_.GridInstitution);
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
  controls_.LabelSelfMonth.text = SelfMonthLabelText(FSelfMonth);
}

void DrugInfoLogic::ChangeDay(const QDate& day) {
  controls_.EditSearch.text.clear();
  FCurrentDate = day;
  live_.setDayShown(day);
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
  loadList(ListLoad::Reselect);
}

// A tick while the list is still loading is dropped, as the load will show what the tick would. So
// is a tick while the push link stands: every change reloads the list as it happens, and the link
// notices a dead connection within half a minute, after which the ticks count again.
void DrugInfoLogic::TimerRefreshTimer() {
  if (!connection_.configured()) return;
  if (FCurrentDate != Today()) return;
  if (push_.status().state == PushState::Connected) return;
  if (listJob_.running()) return;
  startListLoad(ListLoad::Refresh);
}

void DrugInfoLogic::GridPatientSelectCell(int /*col*/, int row) {
  FPatientRow = row;
}

// A load of the list in flight probes the rows itself.
void DrugInfoLogic::CheckTainPermission() {
  if (listJob_.running()) return;
  listJob_.start(marksRoad());
  showWork();
}
