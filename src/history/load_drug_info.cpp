#include "history/load_drug_info.h"

#include <functional>
#include <vector>

#include "async/in_order.h"
#include "core/clock.h"
#include "history/check_up.h"
#include "history/drug_get_parse.h"
#include "history/med_get.h"
#include "history/online_requests.h"
#include "orca/orca_client.h"

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
            lists.FTkkDates.clear();
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
                       if (first) lists.FMedInstMonths.clear();
                       if (answer.ok()) ParseOnlineMedGet01(answer.lines(), selfInstCd, lists);
                     }});
  }
  return steps;
}

Task<void> RunSteps(OrcaClient& client, std::vector<Step> steps, ProgressReport progress = {}) {
  const int total = static_cast<int>(steps.size());
  co_await FetchInOrder<OrcaAnswer>(
      steps.size(), client.sideBySide(),
      [&client, &steps](std::size_t i) { return client.post(steps[i].path, steps[i].body); },
      [&steps, &progress, total](std::size_t i, const OrcaAnswer& answer) {
        steps[i].read(answer);
        if (progress) progress(static_cast<int>(i) + 1, total);
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

Task<DrugInfoLoad> LoadDrugInfo(OrcaClient& client, QString patientId, QString selfInstCd, TainLists& lists,
                                ProgressReport progress) {
  DrugInfoLoad load;
  if (patientId.trimmed().isEmpty()) co_return load;
  load.started = true;
  lists.FMonthList.clear();
  lists.FPrescList.clear();

  const OrcaAnswer summary = co_await client.post(kOnlineDrugGetPath, OnlineDrugGet01Body(patientId));
  if (!summary.ok()) co_return load;
  load.phase1Answered = true;
  ParseOnlineDrugGet01(summary.lines(), selfInstCd, lists, &load.FBirthDate);
  CompleteMonthList(lists.FMonthList, Today());

  // Every month's drugs, then the check-up dates and the treatment records.
  std::vector<Step> steps;
  for (const QString& month : std::as_const(lists.FMonthList)) {
    steps.push_back({kOnlineDrugGetPath, OnlineDrugGet02Body(patientId, month),
                     [&lists, month](const OrcaAnswer& answer) {
                       if (answer.ok()) ParseOnlineDrugGet02(answer.content, month, lists);
                     }});
  }
  steps.push_back(SpecGetStep(patientId, lists));
  for (Step& step : MedGetSteps(patientId, selfInstCd, lists)) steps.push_back(std::move(step));
  co_await RunSteps(client, std::move(steps), std::move(progress));
  co_return load;
}
