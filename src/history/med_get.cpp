#include "history/med_get.h"

#include "core/clock.h"
#include "core/log.h"
#include "history/institution_codes.h"
#include "history/online_requests.h"
#include "orca/orca_client.h"
#include "orca/response_reader.h"

Task<void> LoadOnlineMedGet(OrcaClient& client, QString patientId, QString selfInstCd, TainLists& lists) {
  if (patientId.trimmed().isEmpty()) co_return;
  lists.FMedInstMonths.clear();
  const QStringList months{QString(), MonthsBefore(Today(), 6)};
  for (const QString& month : months) {
    const OrcaAnswer answer = co_await client.post(kOnlineMedGetPath, OnlineMedGet01Body(patientId, month));
    if (answer.ok()) ParseOnlineMedGet01(answer.lines(), selfInstCd, lists);
  }
}

void ParseOnlineMedGet01(const QStringList& answerLines, const QString& selfInstCd, TainLists& lists) {
  QString month;
  QString code;
  QString name;
  QString value;
  for (const QString& line : answerLines) {
    if (ElementValue(line, QStringLiteral("MeTrMonth"), &value)) {
      month = value;
      code.clear();
      name.clear();
    }
    if (ElementValue(line, QStringLiteral("MeTrDiHCd"), &value)) code = value;
    if (ElementValue(line, QStringLiteral("MeTrDiHNm"), &value)) name = value;
    if (ElementValue(line, QStringLiteral("PrlsHCd"), &value) && !value.isEmpty()) code = value;
    if (ElementValue(line, QStringLiteral("PrlsHNm"), &value) && !value.isEmpty()) name = value;
    if (line.contains(OpeningTag(QStringLiteral("InOut")))) {
      if (month.isEmpty() || code.isEmpty() || name.isEmpty()) continue;
      if (IsPharmacyInstCd(code) || EndsWithInstCd(code, selfInstCd)) continue;
      const QString entry = name + QLatin1Char('=') + month;
      if (AppendUnlessPresent(lists.FMedInstMonths, entry)) {
        WrtLog(GetLogTxt(), QStringLiteral("MedGet: ") + entry);
      }
    }
  }
}
