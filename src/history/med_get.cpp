#include "history/med_get.h"

#include "core/clock.h"
#include "core/log.h"
#include "history/institution_codes.h"
#include "history/online_requests.h"
#include "orca/orca_client.h"
#include "orca/response_reader.h"

void LoadOnlineMedGet(OrcaClient& client, const QString& patientId, const QString& selfInstCd,
                      TainLists& lists) {
  if (patientId.trimmed().isEmpty()) return;
  lists.FMedInstMonths.clear();
  for (const QString& month : {QString(), MonthsBefore(Today(), 6)}) {
    const QString answer = client.ORCAPost(kOnlineMedGetPath, OnlineMedGet01Body(patientId, month));
    if (!answer.isEmpty()) ParseOnlineMedGet01(answer, selfInstCd, lists);
  }
}

void ParseOnlineMedGet01Answer(const QStringList& answerLines, const QString& selfInstCd, TainLists& lists) {
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

bool ParseOnlineMedGet01(const QString& fileName, const QString& selfInstCd, TainLists& lists) {
  const std::optional<QStringList> lines = ReadResponseLines(fileName);
  if (!lines) return false;
  ParseOnlineMedGet01Answer(*lines, selfInstCd, lists);
  return true;
}
