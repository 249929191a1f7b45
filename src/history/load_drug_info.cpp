#include "history/load_drug_info.h"

#include "core/clock.h"
#include "history/check_up.h"
#include "history/drug_get_parse.h"
#include "history/med_get.h"
#include "history/online_requests.h"
#include "orca/orca_client.h"

void CompleteMonthList(QStringList& monthList, const QDate& today) {
  if (monthList.size() >= 12) return;
  for (int i = 0; i < 12; ++i) AppendUnlessPresent(monthList, MonthsBefore(today, i));
}

Task<void> LoadOnlineSpecGet(OrcaClient& client, QString patientId, TainLists& lists) {
  if (patientId.trimmed().isEmpty()) co_return;
  lists.FTkkDates.clear();
  const OrcaAnswer answer = co_await client.post(kOnlineSpecGetPath, OnlineSpecGet01Body(patientId));
  if (answer.ok()) ParseOnlineSpecGet01(answer.lines(), lists);
}

Task<void> LoadOnlineMedGet(OrcaClient& client, QString patientId, QString selfInstCd, TainLists& lists) {
  if (patientId.trimmed().isEmpty()) co_return;
  lists.FMedInstMonths.clear();
  const QStringList months{QString(), MonthsBefore(Today(), 6)};
  for (const QString& month : months) {
    const OrcaAnswer answer = co_await client.post(kOnlineMedGetPath, OnlineMedGet01Body(patientId, month));
    if (answer.ok()) ParseOnlineMedGet01(answer.lines(), selfInstCd, lists);
  }
}

Task<DrugInfoLoad> LoadDrugInfo(OrcaClient& client, QString patientId, QString selfInstCd, TainLists& lists) {
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

  const QStringList months = lists.FMonthList;
  for (const QString& month : months) {
    const OrcaAnswer answer = co_await client.post(kOnlineDrugGetPath, OnlineDrugGet02Body(patientId, month));
    if (answer.ok()) ParseOnlineDrugGet02(answer.content, month, lists);
  }

  co_await LoadOnlineSpecGet(client, patientId, lists);
  co_await LoadOnlineMedGet(client, patientId, selfInstCd, lists);
  co_return load;
}
