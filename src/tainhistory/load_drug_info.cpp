#include "tainhistory/load_drug_info.h"

#include <vector>

#include "async/in_order.h"
#include "async/progress.h"
#include "core/clock.h"
#include "orca/orca_client.h"
#include "tainhistory/check_up.h"
#include "tainhistory/drug_get_parse.h"
#include "tainhistory/med_get.h"
#include "tainhistory/online_requests.h"

namespace {

// The check-up dates and the two treatment-record lists: asked with nothing of phase 1, read after
// the months.
struct LaterRequests {
  QString checkUpBody;
  QStringList treatmentBodies;  // every month the service keeps, then from six months before today

  explicit LaterRequests(const QString& patientId)
      : checkUpBody(OnlineSpecGet01Body(patientId)),
        treatmentBodies{OnlineMedGet01Body(patientId, QString()),
                        OnlineMedGet01Body(patientId, MonthsBefore(Today(), 6))} {}
  std::size_t count() const { return 1 + static_cast<std::size_t>(treatmentBodies.size()); }
  // The i-th request: the check-up dates first, then the treatment records.
  Task<OrcaAnswer> post(OrcaClient& client, std::size_t i) const {
    if (i == 0) return client.post(kOnlineSpecGetPath, checkUpBody);
    return client.post(kOnlineMedGetPath, treatmentBodies.at(static_cast<qsizetype>(i - 1)));
  }
};

// Reads the i-th later answer into the lists; each list is emptied by the first answer meant for it.
void ReadLater(std::size_t i, const OrcaAnswer& answer, const QString& selfInstCd, TainLists& lists) {
  if (i == 0) {
    lists.checkUpDates.clear();
    if (answer.ok()) ParseOnlineSpecGet01(answer.lines(), lists);
    return;
  }
  if (i == 1) lists.treatmentMonths.clear();
  if (answer.ok()) ParseOnlineMedGet01(answer.lines(), selfInstCd, lists);
}

Task<void> FetchAndReadLater(OrcaClient& client, LaterRequests requests, std::size_t first, std::size_t last,
                             QString selfInstCd, TainLists& lists) {
  co_await FetchInOrder<OrcaAnswer>(
      last - first, client.sideBySide(), [&](std::size_t i) { return requests.post(client, first + i); },
      [&](std::size_t i, const OrcaAnswer& answer) { ReadLater(first + i, answer, selfInstCd, lists); });
}

}  // namespace

void CompleteMonthList(QStringList& monthList, const QDate& today) {
  if (monthList.size() >= 12) return;
  for (int i = 0; i < 12; ++i) AppendUnlessPresent(monthList, MonthsBefore(today, i));
}

Task<void> LoadOnlineSpecGet(OrcaClient& client, QString patientId, TainLists& lists) {
  if (patientId.trimmed().isEmpty()) co_return;
  co_await FetchAndReadLater(client, LaterRequests(patientId), 0, 1, QString(), lists);
}

Task<void> LoadOnlineMedGet(OrcaClient& client, QString patientId, QString selfInstCd, TainLists& lists) {
  if (patientId.trimmed().isEmpty()) co_return;
  const LaterRequests requests(patientId);
  co_await FetchAndReadLater(client, requests, 1, requests.count(), selfInstCd, lists);
}

namespace {

// Phase 1, then every month it lists, each read as its answer and those before it are in.
// `laterCount` more answers follow the months in the progress count.
Task<void> LoadMonths(OrcaClient& client, QString patientId, QString selfInstCd, TainLists& lists,
                      DrugInfoLoad& load, std::size_t laterCount, Progress* progress) {
  const OrcaAnswer summary = co_await client.post(
      kOnlineDrugGetPath, OnlineDrugGet01Body(patientId, DrugSummaryStartMonth()), OrcaClient::Turn::Ahead);
  if (!summary.ok()) co_return;
  load.phase1Answered = true;
  ParseOnlineDrugGet01(summary.lines(), selfInstCd, lists, &load.birthDate);
  CompleteMonthList(lists.monthList, Today());

  const QStringList months = lists.monthList;
  if (progress) progress->count(static_cast<int>(static_cast<std::size_t>(months.size()) + laterCount));
  co_await FetchInOrder<OrcaAnswer>(
      static_cast<std::size_t>(months.size()), client.sideBySide(),
      [&](std::size_t i) {
        return client.post(kOnlineDrugGetPath,
                           OnlineDrugGet02Body(patientId, months.at(static_cast<qsizetype>(i))));
      },
      [&](std::size_t i, const OrcaAnswer& answer) {
        if (answer.ok()) ParseOnlineDrugGet02(answer.content, months.at(static_cast<qsizetype>(i)), lists);
        if (progress) progress->advance();
      });
}

}  // namespace

Task<DrugInfoLoad> LoadDrugInfo(OrcaClient& client, QString patientId, QString selfInstCd, TainLists& lists,
                                Progress* progress) {
  DrugInfoLoad load;
  if (patientId.trimmed().isEmpty()) co_return load;
  load.started = true;
  lists.monthList.clear();
  lists.prescriptions.clear();

  // The check-up dates and the treatment records come after the months.
  const LaterRequests later(patientId);
  if (!client.sideBySide()) {
    co_await LoadMonths(client, patientId, selfInstCd, lists, load, later.count(), progress);
    if (!load.phase1Answered) co_return load;
    co_await FetchInOrder<OrcaAnswer>(
        later.count(), false, [&](std::size_t i) { return later.post(client, i); },
        [&](std::size_t i, const OrcaAnswer& answer) {
          ReadLater(i, answer, selfInstCd, lists);
          if (progress) progress->advance();
        });
    co_return load;
  }

  // Side by side, the check-up dates and the treatment records need nothing of phase 1: they are
  // asked for beside it and read after the months, as one at a time. Without a phase-1 answer
  // they are dropped unread, as one at a time they are never asked for.
  std::vector<OrcaAnswer> laterAnswers(later.count());
  Task<void> months = LoadMonths(client, patientId, selfInstCd, lists, load, later.count(), progress);
  Task<void> beside = FetchInOrder<OrcaAnswer>(
      later.count(), true, [&](std::size_t i) { return later.post(client, i); },
      [&](std::size_t i, const OrcaAnswer& answer) { laterAnswers[i] = answer; });
  co_await Both(std::move(months), std::move(beside), true);
  if (!load.phase1Answered) co_return load;
  for (std::size_t i = 0; i < laterAnswers.size(); ++i) {
    ReadLater(i, laterAnswers[i], selfInstCd, lists);
    if (progress) progress->advance();
  }
  co_return load;
}
