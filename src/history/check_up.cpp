#include "history/check_up.h"

#include "history/online_requests.h"
#include "orca/orca_client.h"
#include "orca/response_reader.h"

Task<void> LoadOnlineSpecGet(OrcaClient& client, QString patientId, TainLists& lists) {
  if (patientId.trimmed().isEmpty()) co_return;
  lists.FTkkDates.clear();
  const OrcaAnswer answer = co_await client.post(kOnlineSpecGetPath, OnlineSpecGet01Body(patientId));
  if (answer.ok()) ParseOnlineSpecGet01(answer.lines(), lists);
}

void ParseOnlineSpecGet01(const QStringList& answerLines, TainLists& lists) {
  QString value;
  for (const QString& line : answerLines) {
    if (ElementValue(line, QStringLiteral("EffectiveTime"), &value) && value.size() >= 10) {
      AppendUnlessPresent(lists.FTkkDates, value);
    }
  }
}
