#include "druginfo/reception_list.h"

#include <utility>

#include "async/in_order.h"
#include "core/clock.h"
#include "orca/response_reader.h"
#include "push/push_target.h"
#include "usecases/list_day.h"
#include "usecases/user_messages.h"

namespace {

const QString kGridPatient = QStringLiteral("GridPatient");

Task<bool> NotProbed() {
  co_return false;
}

}  // namespace

ReceptionList::ReceptionList(DrugInfoShared& window) : w_(window), live_([this] { PushReload(); }) {
  live_.attach(push_);
  QObject::connect(&live_, &LiveReload::patientNamed, &live_, [this](const QString& patientId) {
    probes_[FCurrentDate].named(patientId);
    w_.prepared.named(patientId);
  });
  QObject::connect(&w_.prepared, &PreparedDay::changed, &live_, [this] {
    ShowPreparedChecks();
    w_.ui.ModelsChanged();
  });
  QObject::connect(&live_, &LiveReload::indicatorChanged, &live_, [this] {
    ShowPushIndicator();
    w_.ui.ModelsChanged();
  });
  ShowPushIndicator();
}

bool ReceptionList::knownMarked(const QString& number) const {
  return markedOn_.value(FCurrentDate).contains(TrimBlanksAndControls(number));
}

void ReceptionList::open() {
  open_ = true;
}

// Nothing asked for arrives after the window has closed, and the push socket closes with it.
void ReceptionList::close() {
  open_ = false;
  push_.stop();
  live_.setDayShown(QDate());
  again_ = false;
  job_.cancel();
}

void ReceptionList::InitSet() {
  FCurrentDate = Today();
  live_.setDayShown(FCurrentDate);
  w_.prepared.showDay(FCurrentDate);
  FListMode = ListMode::All;
  UpdateListStateDisplay();
  FPatientRow = -1;
  ClearPatientGrid();
  UpdateDateLabel();
}

void ReceptionList::LoadPatientList() {
  loadList(Load::Plain);
}

void ReceptionList::loadList(Load load) {
  if (!w_.connection.configured()) {
    w_.ui.MessageBox(MessageKind::Warning, kNotConfiguredText);
    return;
  }
  startLoad(load);
}

// Every load of the list reads it anew, so a reload owed to a pushed change is made by it.
void ReceptionList::startLoad(Load load) {
  again_ = false;
  job_.start(listRoad(FCurrentDate, FListMode, load));
}

// The list is shown as soon as it arrives, with the marks already known; the other patients are
// probed afterwards and marked as their probes end. A list that did not arrive leaves the one on
// screen as it is.
Job::Road ReceptionList::listRoad(QDate day, ListMode mode, Load load) {
  job_.progress().set(QStringLiteral("受付一覧"));
  std::optional<DayList> list = co_await FetchDayList(w_.client, day, mode);
  if (!list) co_return std::nullopt;
  {
    std::optional<PaintingSuspended> suspended;
    if (load == Load::Refresh) suspended.emplace(w_.ui, kGridPatient);
    // The selection follows the patient, wherever the user had moved it while the list loaded.
    const std::optional<QString> selected = load == Load::Plain ? std::nullopt : SelectedPatientNumber();
    ClearPatientGrid();
    for (ListedPatient& patient : list->patients) patient.marked = knownMarked(patient.number);
    FillPatientGrid(w_.controls.GridPatient, list->patients);
    ShowPreparedChecks();
    ReselectPatient(selected);
  }
  w_.prepared.listed(day, list->waiting);
  w_.ui.ModelsChanged();
  co_await markRows(day);
  co_return std::nullopt;
}

Job::Road ReceptionList::marksRoad() {
  co_await markRows(FCurrentDate);
  co_return std::nullopt;
}

// Probes the rows not known to be marked on `day` whose probe is due, side by side, and marks each
// as it is decided. A probe that fails is due again at the next pass.
Task<void> ReceptionList::markRows(QDate day) {
  const QStringList numbers = PatientNumbersOf(w_.controls.GridPatient);
  const QSet<QString> known = markedOn_.value(day);
  const QDateTime now = Now();
  QList<bool> probed;      // asked about now
  QList<bool> waiting;     // unmarked, but not due yet: asked nothing, left as they are
  QList<bool> probedOnce;  // found unmarked before: a mark now came after the reception
  for (const QString& number : numbers) {
    const bool needs = NeedsProbe(number, known);
    const bool due = needs && probes_[day].due(number, now);
    probed << due;
    waiting << (needs && !due);
    probedOnce << probes_[day].probedBefore(number);
  }
  const auto total = static_cast<int>(probed.count(true));
  if (total > 0) job_.progress().set(QStringLiteral("マイナ"), total);
  co_await FetchInOrder<bool>(
      static_cast<std::size_t>(numbers.size()), w_.client.sideBySide(),
      [&](std::size_t i) {
        const auto index = static_cast<qsizetype>(i);
        return waiting.at(index) ? NotProbed() : ProbeMark(w_.client, numbers.at(index), known);
      },
      [&](std::size_t i, bool marked) {
        const auto index = static_cast<qsizetype>(i);
        if (marked) {
          const bool news = !markedOn_[day].contains(TrimBlanksAndControls(numbers.at(index)));
          markedOn_[day].insert(TrimBlanksAndControls(numbers.at(index)));
          MarkPatientRow(w_.controls.GridPatient, static_cast<int>(index) + 1);
          if (news && probedOnce.at(index)) w_.prepared.markFound(numbers.at(index));
        }
        if (probed.at(index)) {
          probes_[day].probed(numbers.at(index), now);
          job_.progress().advance();
        }
        w_.ui.ModelsChanged();
      });
}

void ReceptionList::ClearPatientGrid() {
  PaintingSuspended suspended(w_.ui, kGridPatient);
  ResetPatientGrid(w_.controls.GridPatient);
  // The rows now hold other patients: a remembered row index would open whoever stands there now,
  // and a highlight left on row 1 would look selected without being so. Whoever reselects a
  // patient afterwards (a refresh, the mode button, a search by number) sets both again.
  w_.controls.GridPatient.clearCurrentRow();
  FPatientRow = -1;
}

void ReceptionList::UpdateDateLabel() {
  w_.controls.LabelDate.text = QStringLiteral("%1年%2月%3日")
                                   .arg(FCurrentDate.year(), 4, 10, QLatin1Char('0'))
                                   .arg(FCurrentDate.month(), 2, 10, QLatin1Char('0'))
                                   .arg(FCurrentDate.day(), 2, 10, QLatin1Char('0'));
}

// The label names the mode in force, the button the mode a click switches to.
void ReceptionList::UpdateListStateDisplay() {
  const bool all = FListMode == ListMode::All;
  w_.controls.LabelListState.text = all ? QStringLiteral("全て") : QStringLiteral("受付中");
  w_.controls.BtnKaikeiMi.caption = all ? QStringLiteral("受付中") : QStringLiteral("全て");
}

void ReceptionList::ChangeDay(const QDate& day) {
  w_.controls.EditSearch.text.clear();
  FCurrentDate = day;
  live_.setDayShown(day);
  w_.prepared.showDay(day);
  UpdateDateLabel();
  LoadPatientList();
}

void ReceptionList::BtnPrevDayClick() {
  ChangeDay(FCurrentDate.addDays(-1));
}

void ReceptionList::BtnNextDayClick() {
  ChangeDay(FCurrentDate.addDays(1));
}

void ReceptionList::BtnTodayClick() {
  ChangeDay(Today());
}

std::optional<QString> ReceptionList::SelectedPatientNumber() const {
  const StringGrid& grid = w_.controls.GridPatient;
  if (FPatientRow >= 1 && FPatientRow < grid.rowCount()) return grid.cell(1, FPatientRow);
  return std::nullopt;
}

void ReceptionList::ReselectPatient(const std::optional<QString>& number) {
  if (!number) return;
  const qsizetype at = PatientNumbersOf(w_.controls.GridPatient).indexOf(*number);
  if (at >= 0) selectRow(static_cast<int>(at) + 1);
}

void ReceptionList::selectRow(int row) {
  FPatientRow = row;
  w_.controls.GridPatient.setRow(row);
}

void ReceptionList::BtnKaikeiMiClick() {
  w_.controls.EditSearch.text.clear();
  FListMode = FListMode == ListMode::All ? ListMode::InProgress : ListMode::All;
  UpdateListStateDisplay();
  loadList(Load::Reselect);
}

// A tick while the list is still loading is dropped, as the load will show what the tick would. So
// is a tick while the push link stands: every change reloads the list as it happens, and the link
// notices a dead connection within half a minute, after which the ticks count again.
void ReceptionList::TimerRefreshTimer() {
  if (!w_.connection.configured()) return;
  if (FCurrentDate != Today()) return;
  if (push_.status().state == PushState::Connected) return;
  if (job_.running()) return;
  startLoad(Load::Refresh);
}

void ReceptionList::GridPatientSelectCell(int /*col*/, int row) {
  FPatientRow = row;
}

void ReceptionList::CheckTainPermission() {
  if (job_.running()) return;
  job_.start(marksRoad());
}

void ReceptionList::replaceWith(QList<ListedPatient> patients) {
  job_.cancel();
  again_ = false;  // a reload a pushed change had asked for goes with the list
  ClearPatientGrid();
  for (ListedPatient& patient : patients) patient.marked = knownMarked(patient.number);
  FillPatientGrid(w_.controls.GridPatient, patients);
  ShowPreparedChecks();
}

// The icons stand for the day shown only: what is prepared is today's.
void ReceptionList::ShowPreparedChecks() {
  StringGrid& grid = w_.controls.GridPatient;
  const bool today = FCurrentDate == Today();
  for (int row = 1; row < grid.rowCount(); ++row) {
    const PreparedPatient* prepared = today ? w_.prepared.kept(numberAt(row)) : nullptr;
    const CheckIndicator indicator = prepared ? IndicatorOf(prepared->check) : CheckIndicator();
    ShowRowCheck(grid, row, prepared ? &indicator : nullptr);
  }
}

void ReceptionList::loadEnded() {
  if (std::exchange(again_, false)) PushReload();
}

// Push notifications go where the list's requests go; an ORCA without WebORCA, found by the first
// request, has its pusher on a port of its own. A link that stands for the same target is left alone
// (reconnecting would only read the list again); any other is started afresh, which also tries a link
// waiting for its next attempt at once.
void ReceptionList::StartPush() {
  const PushTarget target = ReadPushTarget(w_.client.usesClassicForm());
  pushShown_ = w_.connection.configured() && target.enabled;
  if (!w_.connection.configured()) {
    push_.stop();
  } else if (target != pushTarget_ || push_.status().state != PushState::Connected) {
    push_.start(target);
  }
  pushTarget_ = target;
  ShowPushIndicator();
}

// A change pushed for the day shown, or a (re)connection after which the changes missed meanwhile are
// not replayed: the list is read again as a timer tick reads it, keeping the selection. A load under
// way may have read the list before the change, so the reload follows it instead of being dropped.
void ReceptionList::PushReload() {
  if (!open_ || !w_.connection.configured()) return;
  if (job_.running()) {
    again_ = true;
    return;
  }
  startLoad(Load::Refresh);
  w_.ui.ModelsChanged();
}

// Hidden with push notifications turned off (PUSH=0) or no server configured: the list then refreshes
// by its timer as it always has, and there is nothing to tell.
void ReceptionList::ShowPushIndicator() {
  const PushIndicator& indicator = live_.indicator();
  w_.controls.LabelPush.text = indicator.text;
  w_.controls.LabelPush.toolTip = indicator.toolTip;
  w_.controls.LabelPush.visible = pushShown_;
}
