#include "history/check_up.h"

#include "history/online_requests.h"
#include "orca/orca_client.h"
#include "orca/response_reader.h"

void LoadOnlineSpecGet(OrcaClient& client, const QString& patientId, TainLists& lists) {
  if (patientId.trimmed().isEmpty()) return;
  lists.FTkkDates.clear();
  const QString answer = client.ORCAPost(kOnlineSpecGetPath, OnlineSpecGet01Body(patientId));
  if (!answer.isEmpty()) ParseOnlineSpecGet01(answer, lists);
}

void ParseOnlineSpecGet01Answer(const QStringList& answerLines, TainLists& lists) {
  QString value;
  for (const QString& line : answerLines) {
    if (ElementValue(line, QStringLiteral("EffectiveTime"), &value) && value.size() >= 10) {
      AppendUnlessPresent(lists.FTkkDates, value);
    }
  }
}

bool ParseOnlineSpecGet01(const QString& fileName, TainLists& lists) {
  const std::optional<QStringList> lines = ReadResponseLines(fileName);
  if (!lines) return false;
  ParseOnlineSpecGet01Answer(*lines, lists);
  return true;
}
