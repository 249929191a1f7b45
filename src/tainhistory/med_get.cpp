#include "tainhistory/med_get.h"

#include "core/log.h"
#include "orca/response_reader.h"
#include "tainhistory/institution_codes.h"

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
      if (AppendUnlessPresent(lists.treatmentMonths, entry)) {
        WrtLog(GetLogTxt(), QStringLiteral("MedGet: ") + entry);
      }
    }
  }
}
