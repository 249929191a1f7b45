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

DrugInfoLoad LoadDrugInfo(OrcaClient& client, const QString& patientId, const QString& selfInstCd,
                          TainLists& lists, const DrugInfoLoadHooks& hooks) {
  DrugInfoLoad load;
  if (patientId.trimmed().isEmpty()) return load;
  load.started = true;
  lists.FMonthList.clear();
  lists.FPrescList.clear();
  if (hooks.clearPanes) hooks.clearPanes();

  const QString summary = client.ORCAPost(kOnlineDrugGetPath, OnlineDrugGet01Body(patientId));
  if (summary.isEmpty()) return load;
  load.phase1Answered = true;
  ParseOnlineDrugGet01(summary, selfInstCd, lists, &load.FBirthDate);
  CompleteMonthList(lists.FMonthList, Today());

  // Every answer lands in the same dump file, so each month is read before the next is asked.
  for (const QString& month : std::as_const(lists.FMonthList)) {
    const QString answer = client.ORCAPost(kOnlineDrugGetPath, OnlineDrugGet02Body(patientId, month));
    if (!answer.isEmpty()) ParseOnlineDrugGet02(answer, month, lists);
  }

  LoadOnlineSpecGet(client, patientId, lists);
  LoadOnlineMedGet(client, patientId, selfInstCd, lists);
  if (hooks.mergeSavedDrugPdf) hooks.mergeSavedDrugPdf(lists);
  return load;
}
