#include "tainhistory/load_drug_info.h"

#include <functional>
#include <vector>

#include "async/in_order.h"
#include "core/clock.h"
#include "orca/orca_client.h"
#include "tainhistory/check_up.h"
#include "tainhistory/drug_get_parse.h"
#include "tainhistory/med_get.h"
#include "tainhistory/online_requests.h"

namespace {

// One request of the load and how its answer is read into the lists. Reading happens in the
// order of the steps, whatever order their answers arrive in, so the lists come out the same.
struct Step {
  QString path;
  QString body;
  std::function<void(const OrcaAnswer&)> read;
};

Step SpecGetStep(const QString& patientId, TainLists& lists) {
  return {kOnlineSpecGetPath, OnlineSpecGet01Body(patientId), [&lists](const OrcaAnswer& answer) {
            lists.checkUpDates.clear();
            if (answer.ok()) ParseOnlineSpecGet01(answer.lines(), lists);
          }};
}

// Every month the service keeps, then from the month six calendar months before today.
std::vector<Step> MedGetSteps(const QString& patientId, const QString& selfInstCd, TainLists& lists) {
  const QStringList months{QString(), MonthsBefore(Today(), 6)};
  std::vector<Step> steps;
  for (const QString& month : months) {
    const bool first = steps.empty();
    steps.push_back({kOnlineMedGetPath, OnlineMedGet01Body(patientId, month),
                     [&lists, selfInstCd, first](const OrcaAnswer& answer) {
                       if (first) lists.treatmentMonths.clear();
                       if (answer.ok()) ParseOnlineMedGet01(answer.lines(), selfInstCd, lists);
                     }});
  }
  return steps;
}

// The answers read after phase 1, counted for the progress report.
struct StepCounter {
  ProgressReport report;
  int done = 0;
  int total = 0;
  void count() {
    if (report) report(++done, total);
  }
};

Task<void> RunSteps(OrcaClient& client, std::vector<Step> steps, StepCounter* counter = nullptr) {
  co_await FetchInOrder<OrcaAnswer>(
      steps.size(), client.sideBySide(),
      [&client, &steps](std::size_t i) { return client.post(steps[i].path, steps[i].body); },
      [&steps, counter](std::size_t i, const OrcaAnswer& answer) {
        steps[i].read(answer);
        if (counter) counter->count();
      });
}

}  // namespace

void CompleteMonthList(QStringList& monthList, const QDate& today) {
  if (monthList.size() >= 12) return;
  for (int i = 0; i < 12; ++i) AppendUnlessPresent(monthList, MonthsBefore(today, i));
}

Task<void> LoadOnlineSpecGet(OrcaClient& client, QString patientId, TainLists& lists) {
  if (patientId.trimmed().isEmpty()) co_return;
  std::vector<Step> steps;  // (a braced list in a coroutine trips GCC 12)
  steps.push_back(SpecGetStep(patientId, lists));
  co_await RunSteps(client, std::move(steps));
}

Task<void> LoadOnlineMedGet(OrcaClient& client, QString patientId, QString selfInstCd, TainLists& lists) {
  if (patientId.trimmed().isEmpty()) co_return;
  co_await RunSteps(client, MedGetSteps(patientId, selfInstCd, lists));
}

namespace {

// Phase 1, then every month it lists; the counter's total is the months and `laterSteps` more.
Task<void> LoadMonths(OrcaClient& client, QString patientId, QString selfInstCd, TainLists& lists,
                      DrugInfoLoad& load, std::size_t laterSteps, StepCounter& counter) {
  const OrcaAnswer summary = co_await client.post(
      kOnlineDrugGetPath, OnlineDrugGet01Body(patientId, DrugSummaryStartMonth()), OrcaClient::Turn::Ahead);
  if (!summary.ok()) co_return;
  load.phase1Answered = true;
  ParseOnlineDrugGet01(summary.lines(), selfInstCd, lists, &load.birthDate);
  CompleteMonthList(lists.monthList, Today());

  std::vector<Step> steps;
  for (const QString& month : std::as_const(lists.monthList)) {
    steps.push_back({kOnlineDrugGetPath, OnlineDrugGet02Body(patientId, month),
                     [&lists, month](const OrcaAnswer& answer) {
                       if (answer.ok()) ParseOnlineDrugGet02(answer.content, month, lists);
                     }});
  }
  counter.total = static_cast<int>(steps.size() + laterSteps);
  co_await RunSteps(client, std::move(steps), &counter);
}

// Fetches the answers of `steps` side by side and keeps them, unread.
Task<void> FetchUnread(OrcaClient& client, const std::vector<Step>& steps, std::vector<OrcaAnswer>& answers) {
  answers.resize(steps.size());
  co_await FetchInOrder<OrcaAnswer>(
      steps.size(), true,
      [&client, &steps](std::size_t i) { return client.post(steps[i].path, steps[i].body); },
      [&answers](std::size_t i, const OrcaAnswer& answer) { answers[i] = answer; });
}

}  // namespace

Task<DrugInfoLoad> LoadDrugInfo(OrcaClient& client, QString patientId, QString selfInstCd, TainLists& lists,
                                ProgressReport progress) {
  DrugInfoLoad load;
  if (patientId.trimmed().isEmpty()) co_return load;
  load.started = true;
  lists.monthList.clear();
  lists.prescriptions.clear();

  // The check-up dates and the treatment records come after the months.
  std::vector<Step> later;
  later.push_back(SpecGetStep(patientId, lists));
  for (Step& step : MedGetSteps(patientId, selfInstCd, lists)) later.push_back(std::move(step));

  StepCounter counter{std::move(progress)};
  if (!client.sideBySide()) {
    co_await LoadMonths(client, patientId, selfInstCd, lists, load, later.size(), counter);
    if (load.phase1Answered) co_await RunSteps(client, std::move(later), &counter);
    co_return load;
  }

  // Side by side, the check-up dates and the treatment records need nothing of phase 1: they are
  // asked for beside it and read after the months, as one at a time. Without a phase-1 answer
  // they are dropped unread, as one at a time they are never asked for.
  std::vector<OrcaAnswer> laterAnswers;
  Task<void> months = LoadMonths(client, patientId, selfInstCd, lists, load, later.size(), counter);
  Task<void> beside = FetchUnread(client, later, laterAnswers);
  co_await Both(std::move(months), std::move(beside), true);
  if (!load.phase1Answered) co_return load;
  for (std::size_t i = 0; i < later.size(); ++i) {
    later[i].read(laterAnswers[i]);
    counter.count();
  }
  co_return load;
}
